#include "drawing_program/geometry/ElementFixture.h"
#include "export/OutlineExport.h"

#include "runtime/RuntimeError.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

using namespace vantropetest;
using namespace vantrope;

namespace {

const std::filesystem::path Golden = std::filesystem::path(GEARSUITE_TEST_DATA) / "drawing_program" / "export";

// The line of action of a 20 : 40 tooth external pair at 20°, worked by hand
// from the involute relations (rows L, x, y in the pinion's frame).
const LoaPointTable PairLoa = {{{0, 8.8302, 3.2139},
                                {0.8909, 9.1349, 2.3768},
                                {2.7661, 9.7763, 0.6147},
                                {3.4202, 10, 0},
                                {3.8430, 10.1446, -0.3973},
                                {5.7182, 10.786, -2.1594},
                                {10.2606, 12.3396, -6.4279}}};

// A group code and its value, as a DXF reader takes them.
struct Group {
    int code;
    std::string value;
};

std::vector<std::string> crlfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CR LF at the end of the file";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<Group> dxfGroups(const std::string& text)
{
    std::vector<std::string> lines = crlfLines(text);
    EXPECT_EQ(lines.size() % 2, 0u);
    std::vector<Group> groups;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
        groups.push_back({std::stoi(lines[i]), lines[i + 1]});
    return groups;
}

struct Circle {
    double x, y, r;
};
using Polyline = std::vector<std::array<double, 2>>;

// Reads the ENTITIES section the way a DXF reader walks it; every entity
// must be on layer 0 and every polyline closed by SEQEND.
struct DxfEntities {
    std::vector<Circle> circles;
    std::vector<Polyline> polylines;
    std::vector<char> order; // 'C' circle, 'P' polyline

    explicit DxfEntities(const std::string& text) { read(text); }

    void read(const std::string& text)
    {
        std::vector<Group> g = dxfGroups(text);
        ASSERT_GE(g.size(), 4u);
        EXPECT_EQ(g[0].code, 0);
        EXPECT_EQ(g[0].value, "SECTION");
        EXPECT_EQ(g[1].code, 2);
        EXPECT_EQ(g[1].value, "ENTITIES");
        EXPECT_EQ(g[g.size() - 2].value, "ENDSEC");
        EXPECT_EQ(g.back().value, "EOF");
        std::size_t i = 2;
        // The groups of one entity up to the next code 0.
        auto fields = [&](std::size_t& at) {
            std::map<int, std::string> f;
            for (++at; at < g.size() && g[at].code != 0; ++at)
                f[g[at].code] = g[at].value;
            EXPECT_EQ(f[8], "0") << "entity off layer 0";
            return f;
        };
        while (i < g.size() - 2) {
            ASSERT_EQ(g[i].code, 0);
            if (g[i].value == "CIRCLE") {
                auto f = fields(i);
                EXPECT_EQ(f[30], "0.0");
                EXPECT_EQ(f[39], "0");
                circles.push_back({std::stod(f[10]), std::stod(f[20]), std::stod(f[40])});
                order.push_back('C');
            } else if (g[i].value == "POLYLINE") {
                auto f = fields(i);
                EXPECT_EQ(f[66], "1");
                Polyline line;
                while (i < g.size() && g[i].value == "VERTEX") {
                    auto v = fields(i);
                    EXPECT_EQ(v[30], "0.0");
                    line.push_back({std::stod(v[10]), std::stod(v[20])});
                }
                ASSERT_LT(i, g.size());
                ASSERT_EQ(g[i].value, "SEQEND");
                fields(i);
                polylines.push_back(line);
                order.push_back('P');
            } else {
                FAIL() << "unexpected entity " << g[i].value;
            }
        }
    }
};

// The pinion (20 teeth) and gear (40 teeth) of mesh 1 at 20°, pitch point at
// device x 400, ten pixels a unit, drawn with few points and few teeth so the
// files stay small. Output size 0.5 (diametral pitch 2).
struct Export : ::testing::Test, ElementFixture {
    std::unique_ptr<clsGear> pinion = element();
    std::unique_ptr<clsGear> gear = element();
    TemporaryFolder folder;
    bool traced = true;
    TraceLog traceFile{traced, folder.file("Vantrope.log")};

    Export()
    {
        run.IncrementsInvolute = 3;
        run.IncrementsEdge = 2;
        run.IncrementsRoot = 3;
        settings.setNumbTeeth(element::Pinion, 2);
        settings.setNumbTeeth(element::Gear, 1);
        settings.GearSizer = 0.5;
        for (int n = 1; n <= option::Count; ++n)
            settings.Element(n).DrawThis = true;
        place(*pinion, element::Pinion, 20, 300);
        place(*gear, element::Gear, 40, 600);
    }
    void place(clsGear& element, std::int32_t name, std::int32_t teeth, double midX)
    {
        double pitchPointX = 400, midY = 250;
        element.GetMain(&device, nullptr, name);
        element.GetSetGeom(midX, midY, 10, 0, pitchPointX, midY);
        GearInputs in;
        in.teeth = teeth;
        ASSERT_EQ(feed(element, in), 1);
        element.DrawTeeth();
    }
    std::string written(const clsGear& element, bool dxf, std::optional<LoaPointTable> loa = PairLoa)
    {
        OutlineStream ts;
        if (dxf)
            writeDxfStart(ts);
        WriteGear(ts, element, settings, loa, dxf, log);
        if (dxf)
            writeDxfEnd(ts);
        return ts.text();
    }
    MeshOutline mesh() { return {*pinion, *gear, PairLoa, std::nullopt}; }
    ExportResult exportTo(const std::filesystem::path& file, bool dxf, std::string* filterAsked = nullptr)
    {
        return WriteTextFile(
            mesh(), dxf,
            [&](const std::string& filter) {
                if (filterAsked)
                    *filterAsked = filter;
                return file.string();
            },
            settings, traceFile, log);
    }
};

TEST(OutlineNumber, GeneralFormWithPeriod)
{
    const std::pair<double, const char*> cases[] = {
        {2.5, "2.5"},          {-10, "-10"},        {0, "0"},           {-0.0, "0"},
        {0.25, "0.25"},        {1.0 / 3, "0.333333333333333"},          {0.00001, "1E-05"},
        {-2.5e-7, "-2.5E-07"}, {1e15, "1E+15"},     {123456789012345, "123456789012345"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(outlineNumber(value), text) << value;
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(outlineNumber(bad), runtime::RuntimeError);
}

TEST(OutlineLines, CircleAsTextAndAsDxf)
{
    OutlineStream text;
    WriteCircles(text, -10, 0, 2, false);
    WriteCircles(text, 12.5, 0, 4.7, false);
    EXPECT_EQ(text.text(), "Circle, X = ,-10, Y = ,0, R = ,2\r\nCircle, X = ,12.5, Y = ,0, R = ,4.7\r\n");

    OutlineStream dxf;
    writeDxfStart(dxf);
    WriteCircles(dxf, 1.5, -2, 0.75, true);
    writeDxfEnd(dxf);
    EXPECT_EQ(dxf.text(), "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                          "0\r\nCIRCLE\r\n8\r\n0\r\n39\r\n0\r\n10\r\n1.5\r\n20\r\n-2\r\n30\r\n0.0\r\n40\r\n0.75\r\n"
                          "0\r\nENDSEC\r\n0\r\nEOF\r\n");
}

TEST_F(Export, GearSizerScalesRadiiAndCentre)
{
    // Diametral pitch 4: the base circle 10 cos 20° = 9.39692620785908 is
    // written four times smaller, its centre at (300 - 400) / 10 / 4.
    settings.GearSizer = 0.25;
    for (int n : {option::PitchRadius, option::TangentRadius, option::TipRadius, option::PlaceholderRadius,
                  option::LineOfAction, option::Pinion})
        settings.Element(n).DrawThis = false;
    EXPECT_EQ(written(*pinion, false), "Circle, X = ,-2.5, Y = ,0, R = ,2.34923155196477\r\n");
}

TEST_F(Export, DxfHoldsCirclesLineOfActionAndTeethAtTheirPoints)
{
    DxfEntities pinionFile(written(*pinion, true));
    const double G = 0.5, X = -5;
    const double Rb = 10 * std::cos(degrees(20));
    // Base, pitch, tangent, tip, placeholder (Rb / 5), then the five dots.
    std::vector<double> radii = {Rb * G, 10 * G, pinion->R_Tangent() * G, 11 * G, Rb / 5 * G};
    for (int i = 0; i < 5; ++i)
        radii.push_back(Rb / 100 * G);
    ASSERT_EQ(pinionFile.circles.size(), radii.size());
    for (std::size_t i = 0; i < radii.size(); ++i) {
        const Circle& c = pinionFile.circles[i];
        EXPECT_NEAR(c.r, radii[i], 1e-13) << i;
        if (i < 5) {
            EXPECT_EQ(c.x, X);
            EXPECT_EQ(c.y, 0);
        } else {
            EXPECT_NEAR(c.x, PairLoa[i - 4][1] * G + X, 1e-13);
            EXPECT_NEAR(c.y, PairLoa[i - 4][2] * G, 1e-13);
        }
    }
    EXPECT_EQ(std::string(pinionFile.order.begin(), pinionFile.order.end()), "CCCCCPCCCCCPP");

    // The line of action: lowest to highest contact, y as the frame holds it.
    ASSERT_EQ(pinionFile.polylines.size(), 3u);
    const Polyline& loa = pinionFile.polylines[0];
    ASSERT_EQ(loa.size(), 5u);
    EXPECT_NEAR(loa[0][0], 9.1349 * G + X, 1e-13);
    EXPECT_NEAR(loa[0][1], 2.3768 * G, 1e-13);
    EXPECT_NEAR(loa[4][1], -2.1594 * G, 1e-13);

    // Each tooth: its points as they stand, inside the tip circle and
    // outside the root circle (pitch radius less the dedendum 1.25).
    ASSERT_EQ(pinion->Teeth().size(), 2u);
    for (std::size_t t = 0; t < 2; ++t) {
        const PointArray& pts = pinion->Teeth()[t]->points();
        const Polyline& line = pinionFile.polylines[t + 1];
        ASSERT_EQ(line.size(), pts.size());
        for (std::size_t k = 0; k < pts.size(); ++k) {
            EXPECT_NEAR(line[k][0], pts[k][0] * G + X, 1e-13);
            EXPECT_NEAR(line[k][1], pts[k][1] * G, 1e-13);
            const double r = std::hypot(line[k][0] - X, line[k][1]);
            EXPECT_LE(r, 11 * G + 1e-12);
            EXPECT_GE(r, 8.75 * G - 1e-12);
        }
    }
    // The gear of the pair writes no line of action of its own.
    DxfEntities gearFile(written(*gear, true));
    EXPECT_EQ(std::string(gearFile.order.begin(), gearFile.order.end()), "CCCCCP");
    EXPECT_EQ(gearFile.circles[0].x, 10);
}

TEST_F(Export, OptionsChooseWhatIsWritten)
{
    struct Case {
        const char* what;
        std::vector<int> off;
        std::int32_t mesh;
        const char* order;
    };
    const Case cases[] = {
        {"every option", {}, 1, "CCCCCPCCCCCPP"},
        {"line of action off, dots on", {option::LineOfAction}, 1, "CCCCCPP"},
        {"dots off", {option::LineOfActionDots}, 1, "CCCCCPPP"},
        {"no circles, no teeth",
         {option::BaseRadius, option::PitchRadius, option::TangentRadius, option::TipRadius,
          option::PlaceholderRadius, option::Pinion},
         1,
         "PCCCCC"},
        {"pinion in its cutting mesh", {}, 0, "CCCCCPP"},
    };
    for (const Case& c : cases) {
        for (int n = 1; n <= option::Count; ++n)
            settings.Element(n).DrawThis = true;
        for (int n : c.off)
            settings.Element(n).DrawThis = false;
        GearInputs in;
        in.mesh = c.mesh;
        ASSERT_EQ(feed(*pinion, in), 1);
        pinion->DrawTeeth();
        DxfEntities file(written(*pinion, true));
        EXPECT_EQ(std::string(file.order.begin(), file.order.end()), c.order) << c.what;
    }
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Export, TextLinesNumberTeethAndPoints)
{
    settings.Element(option::LineOfActionDots).DrawThis = false;
    std::vector<std::string> lines = crlfLines(written(*pinion, false));
    const std::size_t points = pinion->Teeth()[0]->points().size();
    ASSERT_EQ(lines.size(), 5 + 5 + 2 * points);
    EXPECT_EQ(lines[5], "Line of Action: segment ,1, -0.43255, 1.1884");
    EXPECT_EQ(lines[9], "Line of Action: segment ,5, 0.393, -1.0797");
    const auto& p = pinion->Teeth()[1]->points()[points - 1];
    EXPECT_EQ(lines.back(), "2, " + std::to_string(points - 1) + ", " + outlineNumber(p[0] * 0.5 - 5) + ", " +
                                outlineNumber(p[1] * 0.5));
    EXPECT_EQ(lines[10].substr(0, 5), "1, 0,");
}

TEST_F(Export, TurningMovesTeethOnly)
{
    const std::vector<std::string> before = crlfLines(written(*pinion, false));
    pinion->RotateGear(0.05);
    const std::vector<std::string> after = crlfLines(written(*pinion, false));
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < 15; ++i) // circles, line of action, dots
        EXPECT_EQ(before[i], after[i]);
    EXPECT_NE(before[15], after[15]);
    EXPECT_NE(before.back(), after.back());
}

TEST_F(Export, ErrorInsideAnElementSkipsItsRestAndKeepsWholeEntities)
{
    LoaPointTable broken = PairLoa;
    broken[3][2] = std::numeric_limits<double>::quiet_NaN();
    DxfEntities file(written(*pinion, true, broken));
    // The five circles stand; the line of action is dropped whole, the teeth are skipped.
    EXPECT_EQ(std::string(file.order.begin(), file.order.end()), "CCCCC");
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0], (Report{"clsGear", "WriteTeeth", "6", runtime::errorDescription(6), ""}));

    // Line of action on but no points computed.
    log.reports.clear();
    EXPECT_EQ(crlfLines(written(*pinion, false, std::nullopt)).size(), 5u);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].number, "13");
}

TEST_F(Export, MeshFileMatchesGoldenFiles)
{
    for (bool dxf : {true, false}) {
        const std::string name = dxf ? "pair20x40.dxf" : "pair20x40.txt";
        std::string filter;
        ASSERT_EQ(exportTo(folder.file(name), dxf, &filter), ExportResult::Written);
        EXPECT_EQ(filter, dxf ? "DXF Vector File|*.dxf" : "Text file|*.txt");
        const std::string text = testsupport::fileText(folder.file(name));
        if (std::getenv("VANTROPE_WRITE_GOLDEN"))
            std::ofstream(Golden / name, std::ios::binary) << text;
        EXPECT_EQ(text, testsupport::fileText(Golden / name)) << name;
    }
    DxfEntities whole(testsupport::fileText(Golden / "pair20x40.dxf"));
    EXPECT_EQ(std::string(whole.order.begin(), whole.order.end()), "CCCCCPCCCCCPPCCCCCP");
    EXPECT_TRUE(log.reports.empty());
    EXPECT_EQ(testsupport::fileText(folder.file("Vantrope.log")),
              std::string("\"Top of sub WriteTextFile\"\r\n\"Opening FSO and setting TextStream\"\r\n"
                          "\"FSO set, now setting TextStream\"\r\n\"Opened FSO and have set TextStream\"\r\n"
                          "\"Bottom of sub WriteTextFile, successful\"\r\n") +
                  "\"Top of sub WriteTextFile\"\r\n\"Opening FSO and setting TextStream\"\r\n"
                  "\"FSO set, now setting TextStream\"\r\n\"Opened FSO and have set TextStream\"\r\n"
                  "\"Bottom of sub WriteTextFile, successful\"\r\n");
}

TEST_F(Export, ExistingFileIsReplaced)
{
    const auto file = folder.file("old.txt");
    std::ofstream(file) << std::string(100000, 'x');
    ASSERT_EQ(exportTo(file, false), ExportResult::Written);
    EXPECT_EQ(testsupport::fileText(file).find('x'), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2); // and the log
}

TEST_F(Export, CancelledDialogWritesNothing)
{
    EXPECT_EQ(WriteTextFile(mesh(), true, [](const std::string&) { return std::string(); }, settings, traceFile, log),
              ExportResult::Cancelled);
    EXPECT_EQ(testsupport::fileText(folder.file("Vantrope.log")), "\"Top of sub WriteTextFile\"\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(Export, UnwritablePathIsReportedAndLeavesNoFile)
{
    struct Case {
        std::filesystem::path target;
        const char* number;
    };
    std::filesystem::create_directories(folder.file("taken") / "inside");
    const Case cases[] = {
        {folder.file("missing") / "pair.dxf", "76"}, // no such folder
        {folder.file("taken"), "75"},                // a folder stands under the name
    };
    for (const Case& c : cases) {
        log.reports.clear();
        EXPECT_EQ(exportTo(c.target, true), ExportResult::Failed) << c.target;
        ASSERT_EQ(log.reports.size(), 1u);
        EXPECT_EQ(log.reports[0].module, "clsMesh");
        EXPECT_EQ(log.reports[0].routine, "WriteTextFile");
        EXPECT_EQ(log.reports[0].number, c.number);
        EXPECT_NE(log.reports[0].extra.find(c.target.filename().string()), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken") / "inside"));
    // Nothing but the log and the folder: no file, no temporary left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
    EXPECT_NE(testsupport::fileText(folder.file("Vantrope.log"))
                  .find("\"Bottom of sub WriteTextFile, errored out, un-successful\"\r\n"),
              std::string::npos);
}

} // namespace
