#include "design_program/shell/windows/WalkedProgram.h"

#include "automation_interface/VantropeRecord.h"

#include "forms/MenuItem.h"
#include "model/T_Gear.h"
#include "model/T_Hob.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace {

using vantroperecord::RecordedCall;

// Arguments of a LoadLocals call by name.
using Numbers = std::vector<std::pair<const char*, double>>;

// The default design with some records given other values.
std::string designText(const std::map<std::string, std::string>& values)
{
    std::string text = testsupport::fileText(CINDREL_DEFAULT_DESIGN);
    for (const auto& [key, value] : values) {
        const std::regex record("\"" + key + "\",\"[^\"]*\"");
        EXPECT_TRUE(std::regex_search(text, record)) << key << " is not a record of the default design";
        text = std::regex_replace(text, record, "\"" + key + "\",\"" + value + "\"");
    }
    return text;
}

// Design A: the default pair (Pd 8) with a hob-cut pinion and a hob of its own.
std::string designA()
{
    return designText({{"frmMain_lblFilletType#0", "1"},
                       {"frmMain_txtHobTThk#0", "1.4"},
                       {"frmMain_txtHobAddendum#0", "1.35"},
                       {"frmMain_txtHobEdgeRad#0", "0.25"},
                       {"frmMain_txtHobProtuberance#0", "0"}});
}

// Design B: 20/40 teeth at Pd 10 on the standard centre distance 3, both
// members 0.150 to 0.152 in thick, the pinion hob-cut by a hob 0.16 in thick
// (typed per unit normal pitch).
std::string designB()
{
    return designText({{"frmMain_txtDP", "10"},
                       {"frmMain_txtOCD", "3"},
                       {"frmMain_lblTThkHowInput#0", "1"},
                       {"frmMain_lblTThkHowInput#1", "1"},
                       {"frmMain_txtMinTThk#0", "0.15"},
                       {"frmMain_txtMaxTThk#0", "0.152"},
                       {"frmMain_txtMinTThk#1", "0.15"},
                       {"frmMain_txtMaxTThk#1", "0.152"},
                       {"frmMain_lblFilletType#0", "1"},
                       {"frmMain_txtHobTThk#0", "1.6"},
                       {"frmMain_txtHobAddendum#0", "1.3"},
                       {"frmMain_txtHobEdgeRad#0", "0.3"},
                       {"frmMain_txtHobPA#0", "20"},
                       {"frmMain_txtHobProtuberance#0", "0.02"}});
}

// The real program with the drawing program's recording test server in its
// program folder: what Draw sends is what the server recorded.
class HobOfTheDesignWalk : public WalkedProgram {
protected:
    void SetUp() override
    {
        const auto server = programFolder() / "vantrope";
        std::ofstream(server) << "#!/bin/sh\nexec '" << VANTROPE_TEST_SERVER << "' '--record=" << record()
                              << "' \"$@\"\n";
        ASSERT_EQ(::chmod(server.c_str(), 0755), 0);
        WalkedProgram::SetUp();
    }

    std::string record() const { return folder.file("calls.txt").string(); }

    // The element's LoadLocals of the last Draw.
    RecordedCall lastLoaded(int element)
    {
        const std::vector<RecordedCall> calls = vantroperecord::read(record());
        for (auto call = calls.rbegin(); call != calls.rend(); ++call)
            if (call->member == "LoadLocals" && call->number("GearElement") == element)
                return *call;
        ADD_FAILURE() << "element " << element << " was never sent";
        return {};
    }

    void draw()
    {
        auto& item = main().get<forms::MenuItem>(QStringLiteral("mnuDraw"));
        ASSERT_TRUE(item.visible()) << "Draw is hidden on " << current();
        item.click();
        QCoreApplication::processEvents();
    }

    // Next until the step is current, every message answered.
    void nextTo(const std::string& step)
    {
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        for (int i = 0; i < 12 && current() != step; ++i)
            next();
        ASSERT_EQ(current(), step);
    }

    void passThePinionHobStep()
    {
        ASSERT_NO_FATAL_FAILURE(nextTo("Pinion Hob"));
        next();
        ASSERT_NE(current(), "Pinion Hob");
    }

    // Design A walked through its hob step.
    void walkDesignAThroughItsHob()
    {
        const auto a = folder.file("a.cnd");
        std::ofstream(a, std::ios::binary) << designA();
        ASSERT_TRUE(startup->gobjColData()->FileOpen(a.string()));
        ASSERT_NO_FATAL_FAILURE(passThePinionHobStep());
        ASSERT_GT(navigator().Oset().oPinion->oHob->HobTTk(), 0) << "A's hob step filled the hob";
    }

    static void expectNumbers(const RecordedCall& call, const Numbers& expected)
    {
        for (const auto& [name, value] : expected)
            EXPECT_NEAR(call.number(name), value, 1e-6) << "element " << call["GearElement"] << " " << name;
    }
};

// Worked by hand for design B: Pd = Pdn = 10, k = 1, 2 tan 20 = 0.7279405.
// - The standard rack for the pinion (and the full-root gear), pi/20 thick,
//   stands off by (0.15 - 0.1570796) / 0.7279405 = -0.0097256 in, sent times
//   Pd as -0.097256; addendum 1.25, sharp tip, half the pitch thick.
// - B's own hob: 0.16 in thick, 0.13 in addendum, 0.03 in tip radius, 0.002
//   in protuberance: rack shift (0.16 + 0.15 - 0.3141593) / 0.7279405 =
//   -0.0057137 in, sent as -0.057137; addendum 1.3, edge 0.3, thickness
//   0.16 x 10 / pi = 0.5092958, protuberance 0.002 x k = 0.002.
const Numbers standardRackOfB = {
    {"CenterDistance", -0.0972563}, {"Addendum", 1.25}, {"EdgeBreak", 0},
    {"ToothThickness", 0.5},        {"Protuberance", 0}};
const Numbers hobOfB = {
    {"CenterDistance", -0.0571373}, {"Addendum", 1.3}, {"EdgeBreak", 0.3},
    {"ToothThickness", 0.5092958},  {"Protuberance", 0.002}};

// How design B comes in after A.
enum class Arrival { New, Open, Dropped };

class AfterAnotherDesign : public HobOfTheDesignWalk, public ::testing::WithParamInterface<Arrival> {
protected:
    // B made new from the default design, opened from the menu, or dropped
    // on the main window.
    void bringInDesignB()
    {
        if (startup->gobjColData()->DataChanged())
            dialogs.answerMessageBox(dialogs::ButtonNo); // A not saved
        const auto b = folder.file("b.cnd");
        std::ofstream(GetParam() == Arrival::New ? programFolder() / "Cindrel.def" : b, std::ios::binary) << designB();
        switch (GetParam()) {
        case Arrival::New:
            main().get<forms::MenuItem>(QStringLiteral("mnuNew")).click();
            break;
        case Arrival::Open:
            dialogs.answerFile(QString::fromStdString(b.string()));
            main().get<forms::MenuItem>(QStringLiteral("mnuFileOpen")).click();
            break;
        case Arrival::Dropped:
            main().onFilesDropped(QStringList{QString::fromStdString(b.string())});
            break;
        }
        QCoreApplication::processEvents();
        ASSERT_EQ(current(), "Startup Screen");
        ASSERT_EQ(main().get<forms::TextBox>(QStringLiteral("txtDP")).text(), "10") << "B was read";
    }
};

TEST_P(AfterAnotherDesign, DrawSendsTheStandardRackUntilTheNewDesignsHobStepRuns)
{
    ASSERT_NO_FATAL_FAILURE(walkDesignAThroughItsHob());
    ASSERT_NO_FATAL_FAILURE(bringInDesignB());

    ASSERT_NO_FATAL_FAILURE(nextTo("Tooth Proportions"));
    // The menu shows only once the hob steps are done: its command, as the menu calls it.
    ASSERT_EQ(startup->Oset()->LaunchDrawing(), 1);
    expectNumbers(lastLoaded(1), standardRackOfB);
    expectNumbers(lastLoaded(4), standardRackOfB);
    expectNumbers(lastLoaded(4), {{"OperatingTransDP", 10}, {"DP0Module1", 0}});

    ASSERT_NO_FATAL_FAILURE(passThePinionHobStep());
    ASSERT_NO_FATAL_FAILURE(draw());
    expectNumbers(lastLoaded(1), hobOfB);
    expectNumbers(lastLoaded(4), standardRackOfB);
}

INSTANTIATE_TEST_SUITE_P(Designs, AfterAnotherDesign,
                         ::testing::Values(Arrival::New, Arrival::Open, Arrival::Dropped),
                         [](const auto& info) {
                             switch (info.param) {
                             case Arrival::New: return std::string("New");
                             case Arrival::Open: return std::string("Open");
                             default: return std::string("Dropped");
                             }
                         });

} // namespace
