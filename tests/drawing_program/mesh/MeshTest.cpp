#include "drawing_program/geometry/ElementFixture.h"
#include "mesh/clsMeshMaster.h"
#include "runtime/RuntimeError.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <numbers>

using namespace vantropetest;
using vantrope::clsMesh;
using vantrope::clsMeshMaster;
using vantrope::ElementInputs;

namespace {

constexpr double Pi = 3.14159265358979;

struct FakeSurface : vantrope::DrawingSurface {
    explicit FakeSurface(RecordingDevice& d) : recording(d) {}
    vantrope::DrawDevice* device() override { return &recording; }
    double clientWidth() override { return width; }
    double clientHeight() override { return height; }
    void clear() override
    {
        ++clears;
        recording.calls.clear();
    }
    vantrope::CaptionTarget* timeTarget() override { return &time; }

    struct Caption : vantrope::CaptionTarget {
        void setCaption(std::string_view c) override { text = c; }
        std::string text;
    } time;
    RecordingDevice& recording;
    double width = 305, height = 398;
    int clears = 0;
};

// The inputs dialog's defaults, as a source of inputs by element number.
struct TableSource : vantrope::InputSource {
    ElementInputs element[5];
    double centerDistance[3] = {0.22, 0.3, 0.0871};
    std::int32_t result = 1;
    std::function<void(std::int16_t)> onCall;
    int calls = 0;

    TableSource()
    {
        const double pa = 27.236 * Pi / 180;
        element[1] = {10000, pa, 0, 1.2, 2.35, 0, 0.5, 1, 0, 0, true};
        element[2] = {16, pa, 0, 1.22, 2.35, 0, 0.527, 1, 0, 0, true};
        element[3] = {32, pa, 0, 1.0871, 2.35, 0, 0.473, 1, 0, 0, true};
        element[4] = {10000, pa, 0, 1.2, 2.35, 0, 0.5, 1, 0, 0, true};
    }

    std::int32_t GetInputs(std::int16_t Index, ElementInputs& values, std::int16_t MeshIndex) override
    {
        ++calls;
        if (onCall)
            onCall(Index);
        if (Index < 1 || Index > 4 || MeshIndex < 0 || MeshIndex > 2)
            runtime::raise(runtime::SubscriptOutOfRange);
        values = element[Index];
        values.CenterDist = centerDistance[MeshIndex];
        return result;
    }
};

struct Holder : vantrope::InputSourceHolder {
    vantrope::InputSource* current() override { return source; }
    vantrope::InputSource* adoptInputsDialog() override
    {
        ++adoptions;
        source = dialog;
        return source;
    }
    bool currentIsInputsDialog() override { return source != nullptr && source == dialog; }
    vantrope::InputSource* source = nullptr;
    vantrope::InputSource* dialog = nullptr;
    int adoptions = 0;
};

struct Meshes : ::testing::Test, ElementFixture {
    FakeSurface surface{device};
    vantrope::Timers timers{[] { return 0u; }};
    TableSource source;
    Holder holder;
    vantrope::MeshServices meshServices{services, store, "Vantrope", timers, holder};
    std::unique_ptr<clsMeshMaster> master;

    Meshes() { holder.source = &source; }

    clsMeshMaster& make()
    {
        master = std::make_unique<clsMeshMaster>(meshServices, surface);
        return *master;
    }

    void setPair(std::int32_t pinion, std::int32_t gear, std::int16_t gearSign, double centerDistance)
    {
        source.element[2].NumbTeeth = pinion;
        source.element[3].NumbTeeth = gear;
        source.element[3].IntExt = gearSign;
        source.centerDistance[1] = centerDistance;
    }
};

TEST_F(Meshes, DefaultZoomAndCentreComeFromTheWindow)
{
    make();
    clsMesh& mesh = master->ActiveMesh();
    EXPECT_EQ(mesh.meshNumber(), 1);
    EXPECT_NEAR(mesh.zoom(), std::sqrt(398.0 * 305.0) * 0.1, 1e-9);
    EXPECT_NEAR(mesh.zoom(), 34.8411, 1e-4);
    EXPECT_DOUBLE_EQ(mesh.centreX(), 152.5);
    EXPECT_DOUBLE_EQ(mesh.centreY(), 199);
    EXPECT_EQ(surface.clears, 0) << "nothing is drawn at creation";
}

TEST_F(Meshes, ElementsAreBoundAsCuttersAndMates)
{
    make();
    EXPECT_EQ(master->Opini->MatingCutters(), master->OpiniTool.get());
    EXPECT_EQ(master->OpiniTool->MatingCutters(), master->Opini.get());
    EXPECT_EQ(master->Ogear->MatingCutters(), master->OgearTool.get());
    EXPECT_EQ(master->OgearTool->MatingCutters(), master->Ogear.get());
    EXPECT_EQ(master->Opini->MatingGears(), master->Ogear.get());
    EXPECT_EQ(master->Ogear->MatingGears(), master->Opini.get());
    EXPECT_EQ(master->OpiniTool->MatingGears(), nullptr);
    EXPECT_EQ(master->Opini->Name, 2);
    EXPECT_EQ(master->OgearTool->Name, 4);
}

TEST_F(Meshes, ElementCentresAtTheOperatingCentreDistance)
{
    struct Case {
        const char* name;
        std::int16_t gearSign;
        double cd;
        double standard, pinionOffset, gearOffset; // offsets from the pitch point in units of k · zoom
    } cases[] = {
        {"external", 1, 0.0871, 24, -8, 16},
        {"internal: both centres left of the pitch point", -1, 0.0871, 8, -8, -16},
        {"standard external", 1, 0, 24, -8, 16},
    };
    make();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setPair(16, 32, c.gearSign, c.cd);
        master->LoadAndDraw(1);
        clsMesh& mesh = *master->OmeshPiniGear;
        const double k = (c.standard + c.cd) / c.standard;
        EXPECT_DOUBLE_EQ(mesh.standardCenterDistance(), c.standard);
        EXPECT_NEAR(mesh.centerDistanceFactor(), k, 1e-12);
        EXPECT_NEAR(master->Opini->MidX(), 152.5 + c.pinionOffset * k * mesh.zoom(), 1e-9);
        EXPECT_NEAR(master->Ogear->MidX(), 152.5 + c.gearOffset * k * mesh.zoom(), 1e-9);
        EXPECT_DOUBLE_EQ(master->Opini->MidY(), 199);
        EXPECT_EQ(master->Ogear->Internal(), c.gearSign == -1);
    }
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Meshes, ToolMeshesPlaceTheRackBesideTheElement)
{
    make();
    master->LoadAndDraw(0);
    clsMesh& mesh = *master->OmeshToolPini;
    // S = (10000 + 16) / 2, the tool's shift 0.22 spread over it.
    EXPECT_DOUBLE_EQ(mesh.standardCenterDistance(), 5008);
    const double k = (5008 + 0.22) / 5008;
    EXPECT_NEAR(master->OpiniTool->MidX(), 152.5 - 5000 * k * mesh.zoom(), 1e-6);
    EXPECT_NEAR(master->Opini->MidX(), 152.5 + 8 * k * mesh.zoom(), 1e-9);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Meshes, ToolsAreDrawnBeforeTheirElementAndTheGearBeforeThePinion)
{
    make();
    auto firstPolylineColour = [&] {
        for (const auto& call : device.calls)
            if (call.what == "Polyline")
                return call.pen.color;
        return -1;
    };
    master->LoadAndDraw(1);
    EXPECT_EQ(firstPolylineColour(), settings.Element(vantrope::option::Gear).Color);
    master->LoadAndDraw(0);
    EXPECT_EQ(firstPolylineColour(), settings.Element(vantrope::option::PinionTool).Color);
    master->LoadAndDraw(2);
    EXPECT_EQ(firstPolylineColour(), settings.Element(vantrope::option::GearTool).Color);
}

TEST_F(Meshes, BacklashThinsTheTeethAndTurnsThePinionInThePinionAndGearMeshOnly)
{
    make();
    setPair(16, 32, 1, 0.0871);
    source.element[2].BackLash = source.element[3].BackLash = 0.1;
    master->LoadAndDraw(1);
    const double F = (Pi / 2 - 0.1) / (Pi / 2);
    const double k = 24.0871 / 24;
    EXPECT_NEAR(master->Opini->TTKin, F * 0.527, 1e-12);
    EXPECT_NEAR(master->Ogear->TTKin, F * 0.473, 1e-12);
    EXPECT_NEAR(master->Opini->AccumulatedAngle, (1 - F) * Pi / 16 * k, 1e-12);
    EXPECT_NEAR(master->Ogear->AccumulatedAngle, 0, 1e-12);
    // The rotation kept by the mesh is not the backlash turn.
    EXPECT_EQ(master->OmeshPiniGear->rotation(2), 0);

    source.element[1].BackLash = source.element[2].BackLash = 0.1;
    master->LoadAndDraw(0);
    EXPECT_NEAR(master->Opini->AccumulatedAngle, 0, 1e-12);
}

TEST_F(Meshes, ArrowKeysTurnThePairInStepsOfTheFirstPitch)
{
    struct Case {
        std::int16_t key;
        double steps;
    } keys[] = {{37, 1}, {38, 5}, {39, -1}, {40, -5}, {65, 0}};
    const double step = 2 * Pi / 16 / 75;
    for (std::int16_t sign : {1, -1}) {
        make();
        setPair(16, 32, sign, 0.0871);
        master->LoadAndDraw(1);
        for (const auto& c : keys) {
            SCOPED_TRACE(c.key);
            const double before1 = master->ActiveMesh().rotation(2), before2 = master->ActiveMesh().rotation(3);
            master->KeyDown(c.key, 0);
            EXPECT_NEAR(master->ActiveMesh().rotation(2) - before1, c.steps * step, 1e-12);
            // An internal gear turns the same way as the pinion.
            EXPECT_NEAR(master->ActiveMesh().rotation(3) - before2, -c.steps * step * 16 / 32 * sign, 1e-12);
        }
        EXPECT_EQ(surface.time.text, "0-mSec");
    }
}

TEST_F(Meshes, ArrowKeysBeforeTheFirstReadDoNothing)
{
    make();
    master->KeyDown(37, 0);
    EXPECT_EQ(master->ActiveMesh().rotation(2), 0);
    EXPECT_EQ(surface.clears, 0);
}

TEST_F(Meshes, RotationsResetOnTeethOrFlagChangeOrWhenAsked)
{
    make();
    setPair(16, 32, 1, 0.0871);
    master->LoadAndDraw(1);
    auto turn = [&] {
        master->KeyDown(37, 0);
        ASSERT_NE(master->ActiveMesh().rotation(2), 0);
    };
    const double step = 2 * Pi / 16 / 75;

    turn();
    source.element[2].Addendum = 1.1;
    master->LoadAndDraw(1);
    EXPECT_NEAR(master->ActiveMesh().rotation(2), step, 1e-12) << "other inputs keep the rotations";
    EXPECT_NEAR(master->Opini->AccumulatedAngle, step, 1e-12);

    source.element[3].NumbTeeth = 33;
    master->LoadAndDraw(1);
    EXPECT_EQ(master->ActiveMesh().rotation(2), 0);

    turn();
    source.element[3].IntExt = -1;
    source.element[3].NumbTeeth = 40;
    source.element[3].NumbTeeth = 33;
    master->LoadAndDraw(1);
    EXPECT_EQ(master->ActiveMesh().rotation(2), 0);

    turn();
    master->ActiveMesh().ReadInputs(true);
    EXPECT_EQ(master->ActiveMesh().rotation(2), 0);
    EXPECT_EQ(master->ActiveMesh().rotation(3), 0);
}

TEST_F(Meshes, PanAndZoomWithTheMouse)
{
    make();
    surface.width = 500;
    surface.height = 400;
    clsMesh& mesh = master->ActiveMesh();
    const double zoom = mesh.zoom(), x = mesh.centreX(), y = mesh.centreY();

    master->MouseDown(1, 0, 100, 100);
    master->MouseUp(1, 0, 130, 90);
    EXPECT_DOUBLE_EQ(mesh.centreX(), x + 30);
    EXPECT_DOUBLE_EQ(mesh.centreY(), y - 10);

    // Right drag from y 200 to 100 in a client height of 400: factor 300 / 200.
    master->MouseDown(2, 0, 50, 200);
    master->MouseUp(2, 0, 50, 100);
    EXPECT_DOUBLE_EQ(mesh.zoom(), zoom * 1.5);
    EXPECT_DOUBLE_EQ(mesh.centreX(), (x + 30 - 250) * 1.5 + 250);
    EXPECT_DOUBLE_EQ(mesh.centreY(), (y - 10 - 200) * 1.5 + 200);

    // A release at or below the bottom edge would give a factor of 0 or less.
    for (float release : {400.0f, 450.0f}) {
        master->MouseDown(2, 0, 50, 200);
        master->MouseUp(2, 0, 50, release);
        EXPECT_DOUBLE_EQ(mesh.zoom(), zoom * 1.5);
    }
    master->MouseDown(2, 0, 50, 420);
    master->MouseUp(2, 0, 50, 100);
    EXPECT_DOUBLE_EQ(mesh.zoom(), zoom * 1.5);

    settings.booStopPanZoom = true;
    master->MouseDown(1, 0, 0, 0);
    master->MouseUp(1, 0, 50, 50);
    master->MouseDown(2, 0, 0, 200);
    master->MouseUp(2, 0, 0, 100);
    EXPECT_DOUBLE_EQ(mesh.zoom(), zoom * 1.5);
    EXPECT_DOUBLE_EQ(mesh.centreX(), (x + 30 - 250) * 1.5 + 250);
}

TEST_F(Meshes, ZoomIsStoredPerMeshAndReadBack)
{
    make();
    master->MouseDown(2, 0, 0, 200);
    master->MouseUp(2, 0, 0, 100);
    const double zoom = master->ActiveMesh().zoom();
    master.reset();
    using Key = std::tuple<std::string, std::string, std::string>;
    for (const char* key : {"Scaler0", "Scaler1", "Scaler2"})
        EXPECT_TRUE(store.values.count(Key{"Vantrope", "DrawingOptions", key})) << key;
    make();
    EXPECT_NEAR(master->ActiveMesh().zoom(), zoom, 1e-9);
}

TEST_F(Meshes, StoredZoomThatIsNoUsableNumberIsReportedAndReplaced)
{
    using Key = std::tuple<std::string, std::string, std::string>;
    for (const char* text : {"abc", "0", "-3", "1e999"}) {
        SCOPED_TRACE(text);
        log.reports.clear();
        store.values[Key{"Vantrope", "DrawingOptions", "Scaler1"}] = text;
        make();
        EXPECT_NEAR(master->ActiveMesh().zoom(), 34.8411, 1e-4);
        ASSERT_EQ(log.reports.size(), 1u);
        EXPECT_EQ(log.reports[0].routine, "LoadMesh");
        EXPECT_EQ(log.reports[0].extra, "Scaler1");
        master.reset();
    }
}

// In a window of 305 x 398 a tooth (a circular pitch of pi units) is still a
// pixel wide at 1/pi = 0.318 pixels per unit and twice the window's height at
// 2 x 398 / pi = 253.4.
TEST_F(Meshes, StoredZoomThatHidesTheMeshIsReportedAndReplaced)
{
    using Key = std::tuple<std::string, std::string, std::string>;
    const struct {
        const char* text;
        double zoom;
        bool reported;
    } cases[] = {
        {"0.0896", 34.8411, true}, {"440.19", 34.8411, true}, {"0.3", 34.8411, true},
        {"0.33", 0.33, false},     {"250", 250, false},       {"260", 34.8411, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        log.reports.clear();
        store.values[Key{"Vantrope", "DrawingOptions", "Scaler1"}] = c.text;
        make();
        EXPECT_NEAR(master->ActiveMesh().zoom(), c.zoom, 1e-4);
        ASSERT_EQ(log.reports.size(), c.reported ? 1u : 0u);
        if (c.reported) {
            EXPECT_EQ(log.reports[0].extra, "Scaler1");
            EXPECT_NE(log.reports[0].description.find(c.text), std::string::npos) << log.reports[0].description;
        }
        master.reset();
    }
}

TEST_F(Meshes, ARightDragZoomsNoFurtherThanAStartTakesBack)
{
    make();
    clsMesh& mesh = master->ActiveMesh();
    // From the bottom edge to the top, again and again: at most 253.4.
    for (int i = 0; i < 5; ++i) {
        master->MouseDown(2, 0, 150, 397);
        master->MouseUp(2, 0, 150, 0);
    }
    EXPECT_NEAR(mesh.zoom(), 2 * 398 / std::numbers::pi, 1e-9);
    for (int i = 0; i < 10; ++i) {
        master->MouseDown(2, 0, 150, 0);
        master->MouseUp(2, 0, 150, 397);
    }
    EXPECT_NEAR(mesh.zoom(), 1 / std::numbers::pi, 1e-9);
}

TEST_F(Meshes, CreationIsTracedWhenLogged)
{
    TemporaryFolder folder;
    bool on = true;
    vantrope::TraceLog file(on, folder.file("Vantrope.log"));
    vantrope::ElementServices tracedServices{run, file, log, settings, draw};
    vantrope::MeshServices tracedMeshes{tracedServices, store, "Vantrope", timers, holder};
    clsMeshMaster traced(tracedMeshes, surface);
    std::ifstream in(folder.file("Vantrope.log"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    std::string expected = "\"clsMeshMaster_Initialize\"\r\n";
    for (int i = 0; i < 4; ++i)
        expected += "\"clsGear_Initialize\"\r\n";
    for (int i = 0; i < 3; ++i)
        expected += "\"clsMesh_Initialize\"\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(Meshes, AFailedReadKeepsThePreviousDrawing)
{
    make();
    master->LoadAndDraw(1);
    ASSERT_EQ(surface.clears, 1);
    const auto drawing = device.calls;

    source.result = 0;
    master->LoadAndDraw(1);
    source.result = 1;
    source.onCall = [](std::int16_t index) {
        if (index == 3)
            runtime::raise(runtime::Overflow);
    };
    master->LoadAndDraw(1);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_EQ(device.calls, drawing);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0], (Report{"clsMesh", "ReadInputs", "6", runtime::errorDescription(runtime::Overflow), ""}));
}

TEST_F(Meshes, GarbageInputsDrawNothingAndNeverCrash)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::function<void(TableSource&)>> garbage = {
        [](TableSource& s) { s.element[2].NumbTeeth = -16; },
        [](TableSource& s) { s.element[3].NumbTeeth = 0; },
        [&](TableSource& s) { s.element[2].PressAng = nan; },
        [&](TableSource& s) { s.centerDistance[1] = inf; },
        [](TableSource& s) { s.centerDistance[1] = -100; },
        [](TableSource& s) { s.element[3].IntExt = 7; },
        [](TableSource& s) { s.element[2].ToothThickness = 3; },
        [](TableSource& s) { s.element[3].Dedendum = -1; },
        [](TableSource& s) { s.element[2].NumbTeeth = std::numeric_limits<std::int32_t>::max(); },
        [](TableSource& s) { s.element[3].IntExt = -1; s.element[3].NumbTeeth = 16; },
        [](TableSource& s) { s.element[2].BackLash = s.element[3].BackLash = 1e300; },
    };
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        SCOPED_TRACE(i);
        source = TableSource{};
        garbage[i](source);
        make();
        master->LoadAndDraw(1);
        master->KeyDown(37, 0);
        master->Click();
        for (const auto& call : device.calls)
            for (const auto& p : call.points)
                EXPECT_TRUE(std::abs(p.x) < (1 << 27) && std::abs(p.y) < (1 << 27));
        master.reset();
    }
}

TEST_F(Meshes, MeshChoiceByIndexAndByTheWatchedLabel)
{
    make();
    clsMesh* middle = &master->ActiveMesh();
    master->SetActiveMesh(3);
    master->SetActiveMesh(-1);
    EXPECT_EQ(&master->ActiveMesh(), middle);
    master->LoadAndDraw(7);
    EXPECT_EQ(source.calls, 0);

    master->MeshLabelChanged("2");
    EXPECT_EQ(&master->ActiveMesh(), middle) << "the label is watched only once asked";
    master->SetOptionEvents();
    EXPECT_FALSE(master->watchingMeshLabel()) << "the source is not the inputs dialog";

    holder.dialog = &source;
    master->SetOptionEvents();
    master->MeshLabelChanged("2");
    EXPECT_EQ(&master->ActiveMesh(), master->OmeshGearTool.get());
    for (const char* caption : {"3", "", "1 ", "x"})
        master->MeshLabelChanged(caption);
    EXPECT_EQ(&master->ActiveMesh(), master->OmeshGearTool.get());
    master->MeshLabelChanged("0");
    EXPECT_EQ(&master->ActiveMesh(), master->OmeshToolPini.get());
}

TEST_F(Meshes, TheFirstReadWithoutASourceAdoptsTheInputsDialog)
{
    holder.source = nullptr;
    holder.dialog = &source;
    make();
    master->Click();
    EXPECT_EQ(holder.adoptions, 1);
    EXPECT_EQ(surface.clears, 1);
    master->Click();
    EXPECT_EQ(holder.adoptions, 1);
}

} // namespace
