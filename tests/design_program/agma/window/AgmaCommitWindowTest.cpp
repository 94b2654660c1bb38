// Next, Previous and the close box commit the window into the pair, the main
// window and the navigator.
#include "AgmaWindowFixture.h"

#include "design_program/model/RecordingShell.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "model/T_AGMA1.h"
#include "model/T_Gear.h"
#include "model/T_Set.h"

#include <QApplication>

#include <vector>

class AgmaCommitWindow : public AgmaWindowTest {
protected:
    void SetUp() override
    {
        windows = std::make_unique<forms::Forms>();
        // A main window with the boxes the commit fills.
        windows->define(q("frmMain"), [](forms::Form& main) {
            for (const char* name : {"txtKm", "txtCh", "lblPowerHowInput", "txtPowerInput2", "txtSurfaceFinish"})
                main.add<forms::TextBox>({q(name), -1});
            for (int i : {0, 1}) {
                main.add<forms::TextBox>({q("txtSAC"), i});
                main.add<forms::TextBox>({q("txtSAT"), i});
            }
            for (int k = 0; k < 3; ++k)
                main.add<forms::Label>({q("lblGearLife"), k});
            main.add<forms::Frame>({q("fraAGMA_HPs"), -1}).setVisible(false);
        });
        (*windows)[q("frmMain")].load();
        (*windows)[q("frmMain")].get<forms::TextBox>(q("lblPowerHowInput")).setText(q("1"));
        pair.member(0).aaNumberOfTeeth(20);
        pair.member(1).aaNumberOfTeeth(50);
        cindrel::agma::AgmaWindowServices services;
        services.runLog = &log;
        services.programFolder = [this] { return folder.path(); };
        services.showEquation = [] { return false; };
        services.pair = [this] { return &pair; };
        services.pushNextButton = [this](std::int32_t direction) { moves.push_back(direction); };
        services.all4Horsepowers = [this](const auto& table) { tables.push_back(table.has_value()); };
        services.rmsFactor = [this] { return rmsFactor; };
        agma = std::make_unique<cindrel::agma::frmAGMA>(*windows, std::move(services));
        load().show();
        QApplication::setActiveWindow(form().window());
        chooseMaterial(0, rows::ThroughHardenedGrade1);
        chooseMaterial(1, rows::ThroughHardenedGrade1);
        tabs().setSelectedTab(0);
    }
    std::string mainText(const char* name, int index = -1)
    {
        return (*windows)[q("frmMain")].find(q(name), index)->value().toString().toStdString();
    }
    void click(const char* name) { form().get<forms::CommandButton>(q(name)).click(); }

    cindrel::model::testing::RecordingShell shell;
    cindrel::model::T_Set pair{shell};
    std::vector<std::int32_t> moves;
    std::vector<bool> tables;
    double rmsFactor = 1;
};

TEST_F(AgmaCommitWindow, NextPreviousAndCloseCommitAndMove)
{
    type("txtKm", "1.25*");
    tabs().setSelectedTab(8);
    ASSERT_EQ(tabs().selectedTab(), 8);
    click("cmdNext");
    EXPECT_EQ(pair.oAGMA1->Km(), "1.25*");
    EXPECT_EQ(mainText("txtKm"), "1.25*");
    EXPECT_EQ(mainText("txtCh"), text("txtCh", 1));
    EXPECT_NE(mainText("txtSAC", 0), "");
    EXPECT_TRUE((*windows)[q("frmMain")].find(q("fraAGMA_HPs"), -1)->visible());
    EXPECT_EQ(mainText("txtPowerInput2"), text("txtInps", 0));
    EXPECT_TRUE(visible("cmdNext"));

    click("cmdPrevious");
    EXPECT_FALSE(visible("cmdNext"));
    bool cancel = false;
    form().onQueryUnload(cancel, forms::UnloadReason::FormControlMenu);
    EXPECT_TRUE(cancel);
    cancel = false;
    form().onQueryUnload(cancel, forms::UnloadReason::Code); // by code: no commit, no move
    EXPECT_FALSE(cancel);
    EXPECT_EQ(moves, (std::vector<std::int32_t>{1, 2, 0}));
    EXPECT_EQ(tables, (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(form().isLoaded());
}

TEST_F(AgmaCommitWindow, NoValidPowerEmptiesTheMainWindowsPowers)
{
    type("txtCP", "");
    click("cmdPrevious");
    EXPECT_EQ(mainText("txtSAC", 0), "");
    EXPECT_EQ(mainText("txtSAT", 1), "");
    EXPECT_EQ(tables, (std::vector<bool>{false}));
    EXPECT_EQ(moves, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(messageCount(), 0u); // the commit recalculates without a word
}

TEST_F(AgmaCommitWindow, ABoxThatHoldsNoNumberKeepsTheUserOnIt)
{
    type("txtKm", "1.25*");
    type("txtKo", "abc");
    click("cmdPrevious");
    EXPECT_NE(lastMessage().find("Ko, the overload factor: \"abc\" is not a number"), std::string::npos)
        << lastMessage();
    EXPECT_EQ(tabs().selectedTab(), 5);
    EXPECT_TRUE(box("txtKo").hasFocus());
    bool cancel = false;
    form().onQueryUnload(cancel, forms::UnloadReason::FormControlMenu);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(moves.empty());
    EXPECT_TRUE(tables.empty());
    EXPECT_EQ(pair.oAGMA1->Km(), "1.0*"); // the model's own default
    EXPECT_EQ(mainText("txtKm"), "");

    {
        // A material box the user broke: the member's own materials page.
        agma->StopTheEvents(true);
        type("txtKo", "1.25");
        type("txtSAT", 1, "strong");
        agma->StopTheEvents(false);
    }
    click("cmdNext");
    EXPECT_NE(lastMessage().find("allowable bending stress (SAT) of the gear"), std::string::npos) << lastMessage();
    EXPECT_EQ(tabs().selectedTab(), 1);
    EXPECT_TRUE(moves.empty());

    chooseMaterial(1, rows::ThroughHardenedGrade1);
    click("cmdPrevious");
    EXPECT_EQ(moves, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(pair.oAGMA1->Ko(), "1.25");
    EXPECT_EQ(pair.oAGMA1->Km(), "1.25*");
}

// A Set Inputs box holding no whole number stops the commit: nothing goes
// to the pair or the main window, and the user is on the box.
TEST_F(AgmaCommitWindow, ASetInputsSlipIsRefusedByName)
{
    type("txtKm", "1.25*");
    const std::pair<int, const char*> slips[] = {
        {1, "The face width: \"1,5\""},
        {4, "The gear ratio: \"1,5\""},
    };
    for (const auto& [index, named] : slips) {
        type("txtInps", index, "1,5");
        click("cmdPrevious");
        EXPECT_NE(lastMessage().find(std::string(named) + " is not a number"), std::string::npos) << lastMessage();
        EXPECT_EQ(tabs().selectedTab(), 0);
        EXPECT_TRUE(box("txtInps", index).hasFocus());
        type("txtInps", index, "2");
    }
    EXPECT_TRUE(moves.empty());
    EXPECT_TRUE(tables.empty());
    EXPECT_EQ(pair.oAGMA1->Km(), "1.0*"); // the model's own default
    EXPECT_EQ(mainText("txtKm"), "");

    click("cmdPrevious");
    EXPECT_EQ(moves, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(pair.oAGMA1->Km(), "1.25*");
}

// A slip empties the values worked from the box (Ch, the gear cycles and
// factors; Kv, the cycles): the commit still names the Set Inputs box, not
// one of those it emptied, and commits nothing.
TEST_F(AgmaCommitWindow, ASlipIsNamedNotTheValuesItEmptied)
{
    type("txtRMS", "16");
    type("txtSurfaceBHN", 0, "360");
    type("txtSurfaceBHN", 1, "200");
    type("txtInps", 0, "1000");
    type("txtInps", 4, "3");
    type("txtLife", 2, "100");
    ASSERT_EQ(text("txtLife", 1), "2000000"); // 100 h × 60 × 1000 rpm / 3
    ASSERT_EQ(text("txtCh", 1), "1.01");
    const std::pair<int, const char*> slips[] = {
        {4, "The gear ratio: \"3,5\" is not a number"},
        {0, "The pinion speed: \"3,5\" is not a number"},
    };
    for (const auto& [index, named] : slips) {
        const std::string sound = text("txtInps", index);
        type("txtInps", index, "3,5");
        ASSERT_EQ(text("txtLife", 1), "");
        click("cmdNext");
        EXPECT_EQ(lastMessage().rfind(named, 0), 0u) << lastMessage();
        EXPECT_EQ(tabs().selectedTab(), 0);
        EXPECT_TRUE(box("txtInps", index).hasFocus());
        type("txtInps", index, sound);
    }
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(mainText("txtCh"), "");
}

// Hours that are no number derive no cycles, on the Yn, Zn tab or from a new
// speed, and keep the user on the box. 600 rpm, ratio 2, one contact each:
// 2e4 h × 60 × 600 = 720,000,000 pinion and 360,000,000 gear cycles.
TEST_F(AgmaCommitWindow, HoursThatAreNotANumberDeriveNothingAndAreNamed)
{
    type("txtInps", 0, "1000");
    type("txtInps", 4, "2");
    type("txtLife", 2, "100");
    ASSERT_EQ(text("txtLife", 0), "6000000"); // 100 h × 60 × 1000 rpm
    type("txtLife", 2, "17x000");
    type("txtInps", 0, "600");
    EXPECT_EQ(text("txtLife", 0), "6000000");
    EXPECT_EQ(text("txtLife", 1), "3000000");
    click("cmdNext");
    EXPECT_NE(lastMessage().find("The life in hours: \"17x000\" is not a number"), std::string::npos)
        << lastMessage();
    EXPECT_EQ(tabs().selectedTab(), 6);
    EXPECT_TRUE(box("txtLife", 2).hasFocus());
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(mainText("lblGearLife", 2), "");

    type("txtLife", 2, "2e4");
    EXPECT_EQ(text("txtLife", 0), "720000000");
    EXPECT_EQ(text("txtLife", 1), "360000000");
    click("cmdNext");
    EXPECT_EQ(moves, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(mainText("lblGearLife", 2), "20000");
    EXPECT_EQ(mainText("lblGearLife", 0), "720000000");
}

// The main window's surface finish passes through the window unchanged; a
// finish the user changes here goes back converted: 16 µin Ra is 0.4064 µm.
TEST_F(AgmaCommitWindow, TheSurfaceFinishReadsAsTypedUnlessChangedHere)
{
    rmsFactor = 0.0254 / 1.1; // metric: µm Ra per µin RMS
    auto& finish = (*windows)[q("frmMain")].get<forms::TextBox>(q("txtSurfaceFinish"));
    finish.setText(q("0.8"));
    agma->StopTheEvents(true); // as a design file is read
    type("txtRMS", "32");
    agma->StopTheEvents(false);
    click("cmdPrevious");
    EXPECT_EQ(mainText("txtSurfaceFinish"), "0.8");

    type("txtRMS", "16");
    click("cmdPrevious");
    EXPECT_EQ(mainText("txtSurfaceFinish"), "0.4064");

    finish.setText(q("0.5"));
    click("cmdPrevious");
    EXPECT_EQ(mainText("txtSurfaceFinish"), "0.5");
    EXPECT_EQ(moves, (std::vector<std::int32_t>{2, 2, 2}));
}
