#include "StartedProgram.h"

#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/Timer.h"
#include "shell/Launcher.h"
#include "shell/MFormEdits.h"
#include "shell/MHTMLHelp.h"
#include "shell/ShellWindows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QScreen>

#include <gmock/gmock.h>

using ::testing::IsEmpty;

namespace {

TEST_F(StartedProgram, AStormOfErrorsReachesTheFileWholeAndTheWindowInOneUpdate)
{
    answerDisclaimer(true, true);
    auto& notes = window("frmMisc").get<forms::TextBox>(QStringLiteral("txtNotes"));
    QCoreApplication::processEvents();
    int updates = 0;
    notes.onChange.connect([&] { ++updates; });
    const std::int32_t before = startup->runLog().RunNoteCount();
    constexpr int Storm = 5000;
    for (int i = 0; i < Storm; ++i)
        startup->MainErrHandler("T_Gear", "Jay", "11", "Division by zero", "");
    QCoreApplication::processEvents();
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(startup->runLog().RunNoteCount(), before + Storm);
    EXPECT_TRUE(notes.text().startsWith(QString::number(before + Storm) +
                                        QStringLiteral(", Error in module; T_Gear, routine; Jay")));
    const std::string file = fileText(programFolder() / "RunNotes.dat");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1 + before + Storm);
}

TEST_F(StartedProgram, TheRunLogWindowClosesClearsAndAutoCloses)
{
    answerDisclaimer(true, true);
    forms::Form& misc = window("frmMisc");
    startup->runLogWindow().ShowHelpButton(12321);
    auto& help = misc.get<forms::CommandButton>(QStringLiteral("cmdHelp"));
    EXPECT_TRUE(help.visible());
    EXPECT_EQ(help.helpContextId(), 12321);

    misc.unload(forms::UnloadReason::FormControlMenu);
    EXPECT_TRUE(misc.isLoaded()) << "the window button acts as Close";
    EXPECT_FALSE(misc.visible());
    EXPECT_FALSE(startup->runLogWindow().text().isEmpty());
    misc.show();
    misc.get<forms::CommandButton>(QStringLiteral("cmdClose")).click();
    EXPECT_FALSE(misc.visible());
    EXPECT_FALSE(help.visible());
    EXPECT_FALSE(startup->runLogWindow().text().isEmpty()) << "closing keeps the text";

    misc.show();
    auto& timer = misc.get<forms::Timer>(QStringLiteral("Timer"));
    EXPECT_EQ(timer.interval(), 60000);
    timer.onTimer();
    timer.onTimer();
    timer.onTimer();
    EXPECT_TRUE(misc.visible()) << "ticks count only while Auto-close is checked";
    misc.get<forms::MenuItem>(QStringLiteral("mnuAutoClose")).click();
    timer.onTimer();
    timer.onTimer();
    startup->WriteRunNote("a new line does not reset the count");
    EXPECT_TRUE(misc.visible());
    timer.onTimer();
    EXPECT_FALSE(misc.visible());
    EXPECT_TRUE(startup->runLogWindow().text().isEmpty());

    startup->WriteRunNote("again");
    misc.get<forms::MenuItem>(QStringLiteral("mnuClear")).click();
    EXPECT_TRUE(startup->runLogWindow().text().isEmpty());
}

TEST_F(StartedProgram, TheRunLogWindowKeepsAUsableSizeAndLaysItselfOut)
{
    {
        cindrel::shell::RunNotes quiet;
        cindrel::shell::clsRegisty settings(quiet, *store, "");
        settings.SaveWindowPosition("frmMisc", {-600, -30, 1000, 800, 0});
    }
    answerDisclaimer(true, true);
    forms::Form& misc = window("frmMisc");
    EXPECT_EQ(misc.left(), 0);
    EXPECT_EQ(misc.top(), 0);
    EXPECT_EQ(misc.width(), 3000);
    EXPECT_EQ(misc.height(), 4500);
    misc.move(0, 0, 6000, 5000);
    QCoreApplication::processEvents();
    const auto& close = misc.get<forms::CommandButton>(QStringLiteral("cmdClose"));
    const auto& help = misc.get<forms::CommandButton>(QStringLiteral("cmdHelp"));
    EXPECT_EQ(close.left() + close.width(), misc.scaleWidth());
    EXPECT_EQ(close.top() + close.height(), misc.scaleHeight());
    EXPECT_EQ(help.left() + help.width(), close.left());
    EXPECT_EQ(misc.get<forms::TextBox>(QStringLiteral("txtNotes")).width(), misc.scaleWidth());
}

TEST_F(StartedProgram, ThePrinterChoiceReportsACancel)
{
    answerDisclaimer(true, false);
    dialogs.cancelPrinter();
    EXPECT_FALSE(startup->runLogWindow().SetPrinter());
    dialogs.answerPrinter({QStringLiteral("Plotter"), 1, dialogs::PageOrientation::Portrait});
    EXPECT_TRUE(startup->runLogWindow().SetPrinter());
    const auto asked = dialogs.requestsOf<dialogs::PrinterDialogRequest>();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].flags, 0x10000C);
}

TEST_F(StartedProgram, HardnessConversions)
{
    // Expected values from the conversion formulas worked by hand:
    // HRC = 36.092 ln(BHN) - 173.54, BHN = 122.98 e^(0.0276 HRC), rounded.
    struct Case {
        const char* box;
        const char* typed;
        const char* other;
    };
    const Case cases[] = {
        {"txtBHN", "400", "43"}, {"txtHRC", "50", "489"}, {"txtBHN", "299", "0"}, {"txtHRC", "66", "0"},
        {"txtBHN", "750", "65"}, {"txtHRC", "65", "740"}, {"txtBHN", "300", "32"}, {"txtHRC", "32", "297"},
        {"txtBHN", "", "0"},     {"txtBHN", "abc", "0"},  {"txtHRC", "45.5x", "432"},
    };
    forms::Form& converter = window("frmHardnessConverter");
    EXPECT_EQ(converter.caption(), "hardness converter");
    for (const Case& c : cases) {
        auto& typedBox = converter.get<forms::TextBox>(QString::fromLatin1(c.box));
        auto& otherBox = converter.get<forms::TextBox>(
            QString::fromLatin1(std::string_view(c.box) == "txtBHN" ? "txtHRC" : "txtBHN"));
        typedBox.setText(QStringLiteral("1")); // a change to start from
        typedBox.setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(otherBox.text(), c.other) << c.box << " " << c.typed;
        EXPECT_EQ(typedBox.text(), c.typed) << "the box being typed in is never rewritten";
    }
}

TEST_F(StartedProgram, TheAboutBox)
{
    shellservices::RecordingLauncher launcher;
    shellservices::ScopedLauncher scoped(launcher);
    forms::Form& about = window("frmAbout");
    EXPECT_EQ(about.caption(), "About Cindrel");
    EXPECT_EQ(about.get<forms::Label>(QStringLiteral("lblVersion")).caption(), "Version 1.0.0");
    EXPECT_EQ(about.get<forms::Label>(QStringLiteral("lblTitle")).caption(), "Cindrel");

    // The program has no web site: the address label shows nothing and does nothing.
    auto& link = about.get<forms::Label>(QStringLiteral("lblWebSite"));
    const QColor back = link.backColor();
    EXPECT_EQ(link.caption(), "");
    EXPECT_EQ(link.widget()->toolTip(), "");
    link.onMouseMove({});
    about.onMouseMove({});
    EXPECT_EQ(link.backColor(), back) << "no highlight";
    link.onClick();
    QTest::mouseClick(link.widget(), Qt::LeftButton);
    EXPECT_THAT(launcher.openedUrls, IsEmpty());
    about.get<forms::CommandButton>(QStringLiteral("cmdOK")).click();
    EXPECT_FALSE(about.isLoaded());
}

TEST_F(StartedProgram, GearSetNotesKeepTheirQuotesThroughTheStoredForm)
{
    answerDisclaimer(true, false);
    auto& stored = window("frmMain").get<forms::Label>(QStringLiteral("lblRunNotes"));
    stored.setCaption(QStringLiteral("keep ~dblquotes1.5~dblquotes spare"));
    forms::Form& notes = window("frmRunNotes");
    notes.onActivate();
    auto& box = notes.get<forms::TextBox>(QStringLiteral("txtRunNotes"));
    EXPECT_EQ(box.text(), "keep \"1.5\" spare");
    box.setText(QStringLiteral("bore \"2.000\""));
    notes.unload();
    EXPECT_EQ(stored.caption(), "bore ~dblquotes2.000~dblquotes");
    notes.load();
    notes.move(0, 0, 60, 100); // smaller than its margins
    EXPECT_EQ(notes.get<forms::TextBox>(QStringLiteral("txtRunNotes")).width(), 0);
}

TEST_F(StartedProgram, HelpFilesAndCentring)
{
    EXPECT_EQ(cindrel::shell::HelpFilePath(1), (programFolder() / "Cindrel.chm").string());
    EXPECT_EQ(cindrel::shell::HelpFilePath(0), "");
    EXPECT_EQ(cindrel::shell::HelpFilePath(2), "");

    forms::Form& big = window("frmAGMA");
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    big.move(0, 0, screen.width() * 15 + 3000, screen.height() * 15 + 1001);
    cindrel::shell::CenterForm(big);
    EXPECT_EQ(big.left(), -1500);
    EXPECT_EQ(big.top(), -500) << "-500.5 rounds to the even neighbour";
    EXPECT_EQ(big.width(), screen.width() * 15 + 3000);

    cindrel::shell::SelectAllText(startup->windows()); // nothing active: nothing happens
}

} // namespace

namespace {

TEST_F(StartedProgram, TheRunLogWindowKeepsItsNewestTextWithinBounds)
{
    answerDisclaimer(true, true);
    const std::string padding(90, '.');
    for (int i = 0; i < 15000; ++i)
        startup->WriteRunNote(padding);
    const QString text = startup->runLogWindow().text();
    EXPECT_LE(text.size(), cindrel::shell::frmMisc::MaximumText);
    EXPECT_GT(text.size(), cindrel::shell::frmMisc::MaximumText - 200);
    EXPECT_TRUE(text.startsWith(QString::number(startup->runLog().RunNoteCount()) + QStringLiteral(", ")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << "cut at a line end";
}

TEST_F(StartedProgram, TheMainWindowKeepsItsSizeRemembersTheLastKeyAndSelectsTyping)
{
    {
        cindrel::shell::RunNotes quiet;
        cindrel::shell::clsRegisty settings(quiet, *store, "");
        settings.SaveWindowPosition("frmMain", {2400, 1200, 9000, 9000, 0});
    }
    answerDisclaimer(true, false);
    forms::Form& main = window("frmMain");
    EXPECT_EQ(main.left(), 2400);
    EXPECT_EQ(main.top(), 1200);
    EXPECT_NEAR(main.width(), 7800, 120) << "the saved size never takes effect";
    EXPECT_NEAR(main.height(), 7000, 120);

    QTest::keyClick(main.window(), Qt::Key_F12);
    EXPECT_EQ(startup->modelShell().lastKeyPressed(), 123);

    forms::Form& converter = window("frmHardnessConverter");
    converter.show();
    QApplication::setActiveWindow(converter.window());
    auto& bhn = converter.get<forms::TextBox>(QStringLiteral("txtBHN"));
    bhn.setText(QStringLiteral("400"));
    bhn.setFocus();
    QCoreApplication::processEvents();
    cindrel::shell::SelectAllText(startup->windows());
    EXPECT_EQ(bhn.selStart(), 0);
    EXPECT_EQ(bhn.selLength(), 3);
}

} // namespace
