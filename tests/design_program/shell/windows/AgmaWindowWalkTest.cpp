#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/TabStrip.h"
#include "forms/TreeView.h"
#include "model/T_Gear.h"
#include "results/ResultTable.h"

#include <QApplication>
#include <QTest>

#include <gmock/gmock.h>

#include <tuple>
#include <vector>

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A spur English pair walked through the AGMA factors window by the buttons,
// tabs, tree and boxes a user works, in the real program.
//
// The default design: 20/40 teeth, Pd 8, face 1 in, 1800 rpm, steel E 30e6 psi
// and Poisson 0.31, Ra 32 µin, 1000 hours, one contact a turn; its Km, Kb, Yn
// and Zn are the marked 1.0* the design holds. The walk picks through-hardened
// steel grade 2 at 360 HB for the pinion, grade 1 at 240 HB for the gear,
// quality 8 for both and types Ko 1.25.
//
// Inputs, worked apart from the program (published grade and factor formulas):
//   sac grade 2  349·360 + 34300   = 159,940 psi   sat 102·360 + 16400  = 53,120 psi
//   sac grade 1  322·240 + 29100   = 106,380 psi   sat 77.3·240 + 12800 = 31,352 psi
//   Cp  √(30e6 / (π·2·(1 − 0.31²))) = 2298.3 √psi
//   Kv  Av 8: B = 0.25·3^0.667 = 0.52021, A = 50 + 56(1 − B) = 76.868,
//       vt = π·2.5·1800/12 = 1178.1 ft/min, ((A + √vt)/A)^B = 1.2117 → 1.21
//   Ch  gear, HBP/HBG 1.5: 1 + (0.00898·1.5 − 0.00829)(2 − 1) = 1.0052 → 1.01
//   cycles 1000 h · 60 · 1800 rpm = 108,000,000 pinion, / 2 = 54,000,000 gear
// Read off the window as the design's geometry gives them: d 2.5, I 0.094,
// J 0.376 / 0.428.
//
// Powers (python3, from the rating equations with the inputs above):
//   Pac = np·F·I / (126000·Ko·Kv) · (d·sac·Zn·Ch / Cp)²
//     pinion 1800·0.094/190575 · (2.5·159940/2298)² = 26.88 → 26.9 hp
//     gear   1800·0.094/190575 · (2.5·106380·1.01/2298)² = 12.13 → 12.1 hp
//   Pat = np·d·F·J·sat / (126000·Ko·Kv·Pd)
//     pinion 1800·2.5·0.376·53120 / 1524600 = 58.95 → 59 hp
//     gear   1800·2.5·0.428·31352 / 1524600 = 39.61 → 39.6 hp
// The gear's pitting power is the limit.
constexpr int PinionHardness = 360, GearHardness = 240;
const char* const ThroughHardenedGrade2 = "4a";
const char* const ThroughHardenedGrade1 = "3a";
constexpr int Quality8 = 4; // list position of "Quality = 8"

constexpr int SetInputsTab = 0, MaterialsTab = 1, KvTab = 2, KoTab = 5, FactorsTab = 7, PowerTab = 8;

const char* const PinionMaterial =
    "AGMA 2001-C95\\Steel\\Through Hardened\\Grade 2: 159,940 psi-SAC 53,120 psi-SAT @360 BHN";
const char* const GearMaterial =
    "AGMA 2001-C95\\Steel\\Through Hardened\\Grade 1: 106,380 psi-SAC 31,352 psi-SAT @240 BHN";

// A box or label of a window and the text it should hold.
struct Shown {
    const char* name;
    int index;
    std::string text;
};

class AgmaWindowWalk : public WalkedProgram {
protected:
    forms::Form& agma() { return window("frmAGMA"); }
    forms::TabStrip& tabs() { return agma().get<forms::TabStrip>(QStringLiteral("tabMain")); }

    std::string messagesShown()
    {
        std::string shown;
        for (const auto& request : dialogs.requestsOf<dialogs::MessageBoxRequest>())
            shown += request.text.toStdString() + "\n";
        return shown;
    }

    static std::string textOf(forms::Form& form, const char* name, int index = -1)
    {
        const forms::Control* control = form.find(QString::fromLatin1(name), index);
        return control != nullptr ? control->value().toString().toStdString() : "(no " + std::string(name) + ")";
    }
    void expectShows(forms::Form& form, const std::vector<Shown>& expected)
    {
        for (const Shown& box : expected)
            EXPECT_EQ(textOf(form, box.name, box.index), box.text) << box.name << "(" << box.index << ")";
    }

    void setMain(const char* box, int index, const char* text)
    {
        main().get<forms::TextBox>(QString::fromLatin1(box), index).setText(QString::fromLatin1(text));
    }
    void chooseOnMain(const char* combo, int index, int item)
    {
        main().get<forms::ComboBox>(QString::fromLatin1(combo), index).setListIndex(item);
    }

    // Into a box as the user goes: the focus on it, all selected, typed.
    void focusOn(const char* name, int index = -1)
    {
        agma().find(QString::fromLatin1(name), index)->setFocus();
        QCoreApplication::processEvents();
    }
    void typeInto(const char* name, int index, const char* value)
    {
        focusOn(name, index);
        QWidget* target = agma().get<forms::TextBox>(QString::fromLatin1(name), index).keyTarget();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(target, QString::fromLatin1(value));
        QCoreApplication::processEvents();
    }
    void selectTab(int tab)
    {
        tabs().setSelectedTab(tab);
        QCoreApplication::processEvents();
    }
    void chooseMaterial(int member, const char* key, int hardness)
    {
        press(agma(), "cmdPoG", member);
        auto& tree = agma().get<forms::TreeView>(QStringLiteral("TreeView"));
        tree.select(QString::fromLatin1(key));
        tree.onNodeClick(QString::fromLatin1(key));
        typeInto("txtBHN", member, std::to_string(hardness).c_str());
    }

    // The default spur English design, factors asked on their window, walked
    // from the start to "AGMA Factors": main window hidden, factors window shown.
    void walkToTheFactorsWindow(bool firstTime)
    {
        next();
        ASSERT_EQ(current(), "Main Inputs") << messagesShown();
        if (firstTime)
            chooseOnMain("cmbToothOrient", -1, 0);
        next();
        next();
        ASSERT_EQ(current(), "Tooth Thickness") << messagesShown();
        if (firstTime)
            for (int member : {0, 1}) {
                setMain("txtMinEdgeBreak", member, "0");
                setMain("txtMaxEdgeBreak", member, "0");
            }
        next();
        ASSERT_EQ(current(), "Tooth Proportions") << messagesShown();
        if (firstTime) {
            for (int member : {0, 1})
                chooseOnMain("cmbFilletType", member, 0);
            main().get<forms::CheckBox>(QStringLiteral("chkAGMA")).setCheckValue(1);
        }
        next();
        ASSERT_EQ(current(), "AGMA Factors") << messagesShown();
        ASSERT_TRUE(agma().visible());
        EXPECT_FALSE(main().visible());
        QApplication::setActiveWindow(agma().window());
        EXPECT_EQ(tabs().selectedTab(), SetInputsTab);
    }

    // Materials, quality and overload as the pair above has them; ends on the power tab.
    void enterTheFactors()
    {
        selectTab(MaterialsTab);
        chooseMaterial(0, ThroughHardenedGrade2, PinionHardness);
        chooseMaterial(1, ThroughHardenedGrade1, GearHardness);
        selectTab(KvTab);
        ASSERT_EQ(tabs().selectedTab(), KvTab) << messagesShown();
        for (int member : {0, 1})
            agma().get<forms::ComboBox>(QStringLiteral("cmbKV"), member).setListIndex(Quality8);
        selectTab(KoTab);
        typeInto("txtKo", -1, "1.25");
        focusOn("txtKs");
        // The hardness ratio factor takes the surface hardness on entering its tab.
        selectTab(FactorsTab);
        selectTab(PowerTab);
        ASSERT_EQ(tabs().selectedTab(), PowerTab) << messagesShown();
    }

    // The four power captions, the limit label's place and the lowest power
    // as the power tab shows them.
    void expectTheGoldenPowers()
    {
        expectShows(agma(), {{"lblPac", 0, "26.9 hp"},
                             {"lblPac", 1, "12.1 hp"},
                             {"lblPat", 0, "59 hp"},
                             {"lblPat", 1, "39.6 hp"}});
        const auto& gearPac = agma().get<forms::Label>(QStringLiteral("lblPac"), 1);
        const auto& limit = agma().get<forms::Label>(QStringLiteral("lblLimitT"));
        EXPECT_TRUE(shows(limit)) << "beside the powers, on the shown page";
        EXPECT_EQ(limit.caption(), "<- Limit");
        EXPECT_EQ(limit.left(), gearPac.left() + gearPac.width() + 50);
        EXPECT_EQ(limit.top(), gearPac.top());
        const auto& state = startup->agmaWindow().state();
        EXPECT_FLOAT_EQ(state.LowestAllowablePower, 12.1f);
        EXPECT_EQ(state.AllowablePowerTable[0].key, "PAC");
        EXPECT_FLOAT_EQ(state.AllowablePowerTable[0].pinion, 26.9f);
        EXPECT_FLOAT_EQ(state.AllowablePowerTable[0].gear, 12.1f);
        EXPECT_EQ(state.AllowablePowerTable[0].description, "Allowable Pitting Power");
        EXPECT_EQ(state.AllowablePowerTable[1].key, "PAT");
        EXPECT_FLOAT_EQ(state.AllowablePowerTable[1].pinion, 59.0f);
        EXPECT_FLOAT_EQ(state.AllowablePowerTable[1].gear, 39.6f);
        EXPECT_EQ(state.AllowablePowerTable[1].description, "Allowable Bending Power");
    }

    // Every saved control of the factors window with its text or value, in
    // the order the design file keeps them.
    std::vector<std::tuple<std::string, int, std::string>> savedControls()
    {
        std::vector<std::tuple<std::string, int, std::string>> controls;
        for (const forms::Control* control : agma().savedControls())
            controls.emplace_back(control->name().toStdString(), control->index(),
                                  control->value().toString().toStdString());
        return controls;
    }

    std::string cellText(const cindrel::results::ResultTable& table, int row, int column)
    {
        return cindrel::results::cellText(table.at(row, column), [this](const cindrel::results::LabelRef& label) {
            return textOf(window(label.window.c_str()), label.name.c_str(), label.index);
        });
    }
};

TEST_F(AgmaWindowWalk, SpurEnglishPairRatedOnTheWindowAndHandedToTheSequence)
{
    ASSERT_NO_FATAL_FAILURE(walkToTheFactorsWindow(true));
    ASSERT_NO_FATAL_FAILURE(enterTheFactors());
    EXPECT_TRUE(agma().get<forms::CommandButton>(QStringLiteral("cmdNext")).visible());

    // The inputs the powers stand on, as the window shows them.
    expectShows(agma(), {{"txtInps", 0, "1800"}, {"txtInps", 1, "1.000"}, {"txtInps", 2, "2.5"},
                         {"txtInps", 3, "8.000"}, {"txtEye", -1, "0.094"}, {"txtJay", 0, "0.376"},
                         {"txtJay", 1, "0.428"}, {"txtSAC", 0, "159,940"}, {"txtSAC", 1, "106,380"},
                         {"txtSAT", 0, "53,120"}, {"txtSAT", 1, "31,352"}, {"txtCP", -1, "2298"},
                         {"txtKV", -1, "1.21"}, {"txtKo", -1, "1.25*"}, {"txtKm", -1, "1.0*"},
                         {"txtKs", -1, "1.0"}, {"txtCf", -1, "1.0"}, {"txtKt", -1, "1.0"},
                         {"txtKr", -1, "1.0"}, {"txtCh", 0, "1.0"}, {"txtCh", 1, "1.01"},
                         {"txtZn", 0, "1.0*"}, {"txtZn", 1, "1.0*"}, {"txtYn", 0, "1.0*"},
                         {"txtYn", 1, "1.0*"}, {"txtKb", 0, "1.0*"}, {"txtKb", 1, "1.0*"},
                         {"txtSh", 0, "1.0"}, {"txtSh", 1, "1.0"}, {"txtSf", 0, "1.0"},
                         {"txtSf", 1, "1.0"}, {"txtLife", 0, "108000000"}, {"txtLife", 1, "54000000"}});
    expectTheGoldenPowers();
    const std::string before = fileText(programFolder() / "Cindrel.def");

    press(agma(), "cmdNext");
    ASSERT_EQ(current(), "Horsepower and CP") << messagesShown();
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(agma().visible());
    EXPECT_EQ(done().back(), "AGMA Factors");

    // What the commit wrote on the main window, English units.
    expectShows(main(), {{"txtKo", -1, "1.25*"},
                         {"txtKV", -1, "1.21"},
                         {"txtKm", -1, "1.0*"},
                         {"txtKs", -1, "1.0"},
                         {"txtKt", -1, "1.0"},
                         {"txtKr", -1, "1.0"},
                         {"txtCf", -1, "1.0"},
                         {"txtCh", -1, "1.01"},
                         {"txtKb", 0, "1.0*"},
                         {"txtKb", 1, "1.0*"},
                         {"txtSf", 0, "1.0"},
                         {"txtSh", 1, "1.0"},
                         {"txtYn", 0, "1.0*"},
                         {"txtZn", 1, "1.0*"},
                         {"txtSurfaceFinish", -1, "32"}, // the design's own: the window's finish was not changed
                         {"txtSAC", 0, "26.9 HP"},
                         {"txtSAC", 1, "12.1 HP"},
                         {"txtSAT", 0, "59 HP"},
                         {"txtSAT", 1, "39.6 HP"},
                         {"txtYoungsModulus", 0, "3.00E+07"},
                         {"txtYoungsModulus", 1, "3.00E+07"},
                         {"txtPoissonRatio", 0, "0.31"},
                         {"txtPoissonRatio", 1, "0.31"},
                         {"lblMaterial", 0, std::string("Internal material table ") + PinionMaterial},
                         {"lblMaterial", 1, std::string("Internal material table ") + GearMaterial},
                         {"lblKmString", -1, ""}, // Km carries the mark
                         {"lblGearLife", 0, "108000000"},
                         {"lblGearLife", 1, "54000000"},
                         {"lblGearLife", 2, "1000"},
                         {"txtPowerInput2", -1, "1800"}});
    EXPECT_TRUE(main().get<forms::Control>(QStringLiteral("fraAGMA_HPs")).visible());
    EXPECT_DOUBLE_EQ(startup->Oset()->member(0).SAC(), 159940);
    EXPECT_DOUBLE_EQ(startup->Oset()->member(1).SAT(), 31352);

    // The step's results: materials, life, then the factors as the window held them.
    ASSERT_TRUE(navigator().state("AGMA Factors").StateString.has_value());
    const auto& table = *navigator().state("AGMA Factors").StateString;
    const std::string pinion = std::string("Internal material table ") + PinionMaterial;
    const std::string gear = std::string("Internal material table ") + GearMaterial;
    const std::vector<std::vector<std::string>> rows = {
        {"Pinion", pinion, pinion, pinion},
        {"Gear", gear, gear, gear},
        {"Cycles", "1.08E+08", "5.40E+07", ""},
        {"Hours", "1000", "1000", ""},
        {"Km", "1.0*", "1.0*", "Load distribution factor"},
        {"Kv", "1.21", "1.21", "Dynamic factor"},
        {"Ko", "1.25*", "1.25*", "Overload factor"},
        {"Kr", "1.0", "1.0", "Reliability factor"},
        {"Kt", "1.0", "1.0", "Temperature factor"},
        {"Ks", "1.0", "1.0", "Size factor"},
        {"Kb", "1.0*", "1.0*", "Rim thickness factor"},
        {"Ch", "1.0", "1.01", "Hardness ratio factor"},
        {"Yn", "1.0*", "1.0*", "Bending stress cycle factor"},
        {"Zn", "1.0*", "1.0*", "Pitting resistance stress cycle factor"},
        {"SF", "1.0", "1.0", "Safety factor- bending"},
        {"Sh", "1.0", "1.0", "Safety factor- pitting"},
        {"", "", "", ""},
        {"", "", "", ""},
    };
    ASSERT_EQ(table.rowCount(), static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(cellText(table, row, column), rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])
                << "row " << row << " column " << column;

    // Back on the window, which keeps its figures; the close box repeats
    // the last move, here a Previous.
    press(main(), "cmdPrevious");
    ASSERT_EQ(current(), "AGMA Factors") << messagesShown();
    ASSERT_TRUE(agma().visible());
    EXPECT_FALSE(main().visible());
    EXPECT_EQ(tabs().selectedTab(), PowerTab);
    expectTheGoldenPowers();
    agma().window()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(current(), "Tooth Proportions") << messagesShown();
    EXPECT_TRUE(agma().isLoaded());
    EXPECT_FALSE(agma().visible());
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(textOf(main(), "txtSAC", 1), "12.1 HP") << "the close committed";

    // Moving forward, the close box is a Next.
    next();
    ASSERT_EQ(current(), "AGMA Factors") << messagesShown();
    agma().window()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(current(), "Horsepower and CP") << messagesShown();
    EXPECT_TRUE(main().visible());
    EXPECT_FALSE(agma().visible());

    // The allowable powers reach the load step's results.
    next();
    ASSERT_EQ(current(), "Scoring and SubShear Inputs") << messagesShown();
    const auto& load = *navigator().state("Horsepower and CP").StateString;
    EXPECT_EQ(cellText(load, 0, 0), "PAC");
    EXPECT_EQ(cellText(load, 1, 0), "PAT");
    EXPECT_EQ(cellText(load, 0, 3), "Allowable Pitting Power(hp) ");
    for (const auto& [row, column, power] : {std::tuple{0, 1, 26.9}, {0, 2, 12.1}, {1, 1, 59.0}, {1, 2, 39.6}})
        EXPECT_NEAR(std::stod(cellText(load, row, column)), power, 1e-3) << row << "," << column;

    EXPECT_THAT(dialogs.requests(), IsEmpty()) << messagesShown();
    EXPECT_EQ(fileText(programFolder() / "Cindrel.def"), before) << "the default design is never written";
}

TEST_F(AgmaWindowWalk, SavedAndReopenedTheWindowsControlsAndPowersReturn)
{
    ASSERT_NO_FATAL_FAILURE(walkToTheFactorsWindow(true));
    ASSERT_NO_FATAL_FAILURE(enterTheFactors());
    press(agma(), "cmdNext");
    ASSERT_EQ(current(), "Horsepower and CP") << messagesShown();
    const auto saved = savedControls();
    ASSERT_EQ(saved.size(), 51u);

    const auto design = folder.file("spur pair.cnd");
    dialogs.answerFile(QString::fromStdString(design.string()));
    main().get<forms::MenuItem>(QStringLiteral("mnuFileSaveAs")).click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(std::filesystem::exists(design)) << messagesShown();
    const std::string written = fileText(design);
    EXPECT_THAT(written, HasSubstr("\"frmAGMA_txtKo\",\"1.25*\"\r\n"));
    EXPECT_THAT(written, HasSubstr("\"frmAGMA_txtBHN#0\",\"360\"\r\n"));
    EXPECT_THAT(written, HasSubstr("\"frmAGMA_lblRecordKey#0\",\"4a\"\r\n"));

    // A new design brings the default's values back: no materials, Ko 1.0.
    main().get<forms::MenuItem>(QStringLiteral("mnuNew")).click();
    QCoreApplication::processEvents();
    EXPECT_EQ(textOf(agma(), "lblRecordKey", 0), "0");
    EXPECT_EQ(textOf(agma(), "txtBHN", 0), "");
    EXPECT_EQ(textOf(agma(), "txtKo"), "1.0");
    ASSERT_NE(savedControls(), saved);

    dialogs.answerFile(QString::fromStdString(design.string()));
    main().get<forms::MenuItem>(QStringLiteral("mnuFileOpen")).click();
    QCoreApplication::processEvents();
    EXPECT_EQ(savedControls(), saved);
    EXPECT_FALSE(startup->gobjColData()->DataChanged()) << "reading changed nothing";
    EXPECT_EQ(current(), "Startup Screen");

    // Walked to the window again, its power tab shows the same four powers.
    ASSERT_NO_FATAL_FAILURE(walkToTheFactorsWindow(false));
    // The materials come back from their keys at the saved hardness.
    expectShows(agma(), {{"txtSAC", 0, "159,940"}, {"txtSAC", 1, "106,380"},
                         {"txtSAT", 0, "53,120"}, {"txtSAT", 1, "31,352"}, {"txtCP", -1, "2298"}});
    selectTab(PowerTab);
    ASSERT_EQ(tabs().selectedTab(), PowerTab) << messagesShown();
    expectTheGoldenPowers();
    EXPECT_THAT(dialogs.requestsOf<dialogs::MessageBoxRequest>(), IsEmpty()) << messagesShown();
}

} // namespace
