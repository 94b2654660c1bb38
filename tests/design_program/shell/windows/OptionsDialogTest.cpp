#include "StartedProgram.h"

#include "shell/clsNoShowMessage.h"
#include "shell/frmOptions.h"

#include "forms/ComboBox.h"
#include "forms/Label.h"
#include "forms/ListView.h"
#include "forms/OptionButton.h"
#include "forms/TabStrip.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

class OptionsDialog : public StartedProgram {
protected:
    OptionsDialog()
    {
        answerDisclaimer(true, true);
        settings().CreateCSV(false);
    }

    cindrel::shell::clsRegisty& settings() { return *startup->gobjRegisty(); }
    forms::Form& options() { return window("frmOptions"); }
    template <typename T>
    T& get(const char* name, int index = -1)
    {
        return options().get<T>(QString::fromLatin1(name), index);
    }
    void press(const char* button) { get<forms::CommandButton>(button).click(); }
    void type(const char* box, const QString& text) { get<forms::TextBox>(box).setText(text); }
    int ticked(const char* box) { return get<forms::CheckBox>(box).checkValue(); }
    std::string lastNote() { return runLogLines().back().substr(runLogLines().back().find(", ") + 2); }
};

TEST_F(OptionsDialog, LoadingShowsTheStoredSettings)
{
    settings().ScrnOutFontName("Courier New");
    settings().ScrnOutFontSize(12);
    settings().DecimalPrecision("5");
    settings().UserFilesLocation("/home/eng/gears");
    settings().UserInfo("CompanyName", "Gearworks & Sons");
    settings().Graphfontsize(12);
    settings().FileVersionCheck(1);
    settings().RecentFileNumberOf(7);
    EXPECT_EQ(options().caption(), "Options");
    auto& tabs = get<forms::TabStrip>("tabOptions");
    EXPECT_EQ(tabs.selectedTab(), 0);
    EXPECT_FALSE(tabs.tabVisible(2));
    EXPECT_FALSE(tabs.tabVisible(3));
    EXPECT_TRUE(tabs.tabVisible(4));
    EXPECT_EQ(get<forms::Label>("lblFontNameSize").caption(), "Courier New, 12 pt.");
    auto& precision = get<forms::ComboBox>("cmbDecimalPrecision");
    EXPECT_EQ(precision.listCount(), 10);
    EXPECT_EQ(precision.list(0), "#,##0.0");
    EXPECT_EQ(precision.list(9), "#0.00000");
    EXPECT_EQ(precision.listIndex(), 4);
    EXPECT_EQ(precision.text(), "#,##0.00000");
    auto& folders = get<forms::ListView>("lstFileLocations");
    ASSERT_EQ(folders.itemCount(), 1);
    EXPECT_EQ(folders.itemKey(0), "OutputsFolder");
    EXPECT_EQ(folders.subItem(0, 0), "Outputs Folder");
    EXPECT_EQ(folders.subItem(0, 1), "/home/eng/gears");
    EXPECT_EQ(folders.columnKey(1), "FolderLocation");
    EXPECT_EQ(get<forms::TextBox>("txtCompanyName").text(), "Gearworks & Sons");
    EXPECT_EQ(get<forms::TextBox>("txtGraphFontSize").text(), "12");
    EXPECT_EQ(get<forms::TextBox>("txtRecentFiles").text(), "7");
    EXPECT_EQ(ticked("chkFileInconsistence"), 1);
    EXPECT_EQ(get<forms::ComboBox>("cmbAngles").list(1), "D-M-S");
    EXPECT_EQ(get<forms::Label>("lblDiamRad").caption(), "1") << "radii unless diameters were chosen";
    EXPECT_TRUE(get<forms::OptionButton>("optDiamRad", 1).isSelected());
}

TEST_F(OptionsDialog, OKStoresEverySettingAndCancelDropsThem)
{
    const auto changeSettings = [this] {
        get<forms::OptionButton>("optDiamRad", 2).setSelected(true);
        get<forms::ComboBox>("cmbDecimalPrecision").setListIndex(7);
        type("txtUserName", QStringLiteral("A. Engineer"));
        type("txtZip", QStringLiteral("01234"));
        type("txtRecentFiles", QStringLiteral("9"));
        get<forms::CheckBox>("chkAutoUpdate").setCheckValue(0);
    };
    changeSettings();
    press("cmdCancel");
    EXPECT_FALSE(startup->windows().isLoaded(QStringLiteral("frmOptions")));
    EXPECT_EQ(settings().DiamRad(), 1);
    EXPECT_EQ(settings().UserInfo("UserName"), "");
    EXPECT_TRUE(settings().AutoUpdate());

    changeSettings();
    EXPECT_EQ(get<forms::Label>("lblDiamRad").caption(), "2");
    press("cmdApply");
    EXPECT_TRUE(startup->windows().isLoaded(QStringLiteral("frmOptions")));
    EXPECT_EQ(settings().DiamRad(), 2);
    EXPECT_EQ(settings().DecimalPrecision2(0), "#0.000");
    EXPECT_EQ(settings().UserInfo("UserName"), "A. Engineer");
    EXPECT_EQ(settings().UserInfo("ZipCode"), "01234");
    EXPECT_EQ(settings().RecentFileNumberOf(), 9);
    EXPECT_FALSE(settings().AutoUpdate());
    press("cmdOK");
    EXPECT_FALSE(startup->windows().isLoaded(QStringLiteral("frmOptions")));
}

TEST_F(OptionsDialog, NumbersAreStoredAsTheSettingsTakeThem)
{
    const std::pair<const char*, int> graphFonts[] = {{"9", 8}, {"13", 12}, {"20", 14}, {"abc", 8}, {"10.5", 10}};
    for (const auto& [typed, stored] : graphFonts) {
        type("txtGraphFontSize", QString::fromLatin1(typed));
        press("cmdApply");
        EXPECT_EQ(settings().Graphfontsize(), stored) << typed;
    }

    settings().RecentFileNumberOf(6);
    type("txtRecentFiles", QStringLiteral("six"));
    type("txtUserName", QStringLiteral("stored all the same"));
    press("cmdApply");
    EXPECT_EQ(settings().RecentFileNumberOf(), 6) << "a text that is no number stores nothing";
    EXPECT_EQ(settings().UserInfo("UserName"), "stored all the same");
    EXPECT_EQ(lastNote(), "SaveOptionsDialog, 13, Type mismatch");
}

TEST_F(OptionsDialog, TheRecentFilesBoxKeepsBetweenOneAndEighteen)
{
    auto& box = get<forms::TextBox>("txtRecentFiles");
    const std::pair<const char*, const char*> cases[] = {{"0", "1"}, {"", "1"}, {"25", "18"}, {"20", "20"}, {"3", "3"}};
    for (const auto& [typed, kept] : cases) {
        box.setText(QString::fromLatin1(typed));
        int key = 0;
        box.onKeyUp(key, 0);
        EXPECT_EQ(box.text(), kept) << typed;
    }
}

TEST_F(OptionsDialog, UntickingCsvReportsDropsTheDetailedReportAtOnce)
{
    settings().SubSurfaceLongPrint(1);
    settings().CreateCSV(true);
    startup->gobjColData()->ActiveFileName((folder.file("pair.cnd")).string());
    EXPECT_EQ(ticked("chkCreateCSV"), 1);
    EXPECT_EQ(ticked("chkSubSurfaceLongPrint"), 1);
    EXPECT_TRUE(get<forms::CheckBox>("chkSubSurfaceLongPrint").enabled());
    get<forms::CheckBox>("chkCreateCSV").setCheckValue(0);
    EXPECT_EQ(ticked("chkSubSurfaceLongPrint"), 0);
    EXPECT_FALSE(get<forms::CheckBox>("chkSubSurfaceLongPrint").enabled());
    press("cmdCancel");
    EXPECT_EQ(settings().SubSurfaceLongPrint(), 0) << "stored at the click";
    EXPECT_TRUE(settings().CreateCSV()) << "the CSV switch waits for OK";
}

TEST_F(OptionsDialog, CsvReportsShowOffWhileTheNewDesignIsActive)
{
    settings().CreateCSV(true);
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_EQ(ticked("chkCreateCSV"), 0);
    const auto messages = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Won't print variables to *.CSV files until you save the run");
    press("cmdOK");
    startup->gobjColData()->ActiveFileName((folder.file("pair.cnd")).string());
    EXPECT_FALSE(settings().CreateCSV());
}

TEST_F(OptionsDialog, TheFontChoiceIsStoredAtOnceAndRefillsTheDialog)
{
    type("txtUserName", QStringLiteral("not stored"));
    dialogs.answerFont({.name = QStringLiteral("Courier New"), .size = 12.4});
    press("cmdChangeFont");
    const auto asked = dialogs.requestsOf<dialogs::FontDialogRequest>();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Cindrel Screen Output Grid Font Selection");
    EXPECT_EQ(asked[0].flags, 0x2401);
    EXPECT_EQ(asked[0].initial.name, "Arial");
    EXPECT_EQ(asked[0].initial.size, 10);
    EXPECT_EQ(settings().ScrnOutFontName(), "Courier New");
    EXPECT_EQ(settings().ScrnOutFontSize(), 12);
    EXPECT_EQ(get<forms::Label>("lblFontNameSize").caption(), "Courier New, 12 pt.");
    EXPECT_EQ(get<forms::TextBox>("txtUserName").text(), "") << "unsaved changes revert";

    dialogs.cancelFont();
    press("cmdChangeFont");
    EXPECT_EQ(settings().ScrnOutFontName(), "Courier New");
}

TEST_F(OptionsDialog, TheOutputsFolderIsTheFolderOfWhateverNameIsChosen)
{
    const std::pair<const char*, const char*> cases[] = {{"/data/anything", "/data"}, {"/data/reports/*", "/data/reports"}};
    for (const auto& [chosen, folderName] : cases) {
        dialogs.answerFile(QString::fromLatin1(chosen));
        press("cmdFileLocations");
        EXPECT_EQ(settings().UserFilesLocation(), folderName) << chosen;
        EXPECT_EQ(get<forms::ListView>("lstFileLocations").subItem(0, 1), folderName);
    }
    dialogs.cancelFile();
    get<forms::ListView>("lstFileLocations").onDblClick();
    EXPECT_EQ(settings().UserFilesLocation(), "/data/reports");
    const auto asked = dialogs.requestsOf<dialogs::FileDialogRequest>();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].title, "Option Folder/File Selection");
    EXPECT_EQ(asked[0].fileName, "Choose Folder - Anything Here - Click Open");
    EXPECT_EQ(asked[0].flags, 260);
}

TEST_F(OptionsDialog, ShowAllMessagesBringsBackEverySilencedMessage)
{
    cindrel::shell::clsNoShowMessage messages(startup->runLog(), *store);
    dialogs.answerCheckableMessage(dialogs::CheckableOK, true);
    messages.ShowMessage("Check the hob", "HobCheck", cindrel::shell::clsNoShowMessage::OK);
    EXPECT_EQ(messages.ShowMessage("Check the hob", "HobCheck", cindrel::shell::clsNoShowMessage::OK), 0);
    press("cmdShowMessages");
    dialogs.answerCheckableMessage(dialogs::CheckableOK, false);
    EXPECT_EQ(messages.ShowMessage("Check the hob", "HobCheck", cindrel::shell::clsNoShowMessage::OK),
              cindrel::shell::clsNoShowMessage::OK);
}

TEST_F(OptionsDialog, TheUserInfoTabOpensAlthoughTwoTabsBeforeItAreHidden)
{
    int shownTab = -1;
    QTimer::singleShot(0, [&] {
        shownTab = get<forms::TabStrip>("tabOptions").selectedTab();
        press("cmdCancel");
    });
    cindrel::shell::showOptionsDialog(*startup, 4, &window("frmMain"));
    EXPECT_EQ(shownTab, 4);
    EXPECT_FALSE(startup->windows().isLoaded(QStringLiteral("frmOptions")));
}

TEST_F(OptionsDialog, AnAltLetterOfNoControlTypesNothingInItsBoxes)
{
    settings().UserInfo("UserName", "Ann");
    QString typed;
    QTimer::singleShot(0, [&] {
        forms::TextBox& name = get<forms::TextBox>("txtUserName");
        QApplication::setActiveWindow(options().window());
        name.setFocus();
        QTest::keyClick(name.keyTarget(), Qt::Key_End);
        QTest::keyClick(name.keyTarget(), Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(name.keyTarget(), Qt::Key_S);
        typed = name.text();
        press("cmdCancel");
    });
    cindrel::shell::showOptionsDialog(*startup, 4, &window("frmMain"));
    EXPECT_EQ(typed, QStringLiteral("Anns"));
}

// The File tab's two labels share the letter F: each press moves the focus
// to the control after the other label, as a shared access key does.
TEST_F(OptionsDialog, TheFileTabsLabelsTakeTheFocusToTheirControls)
{
    std::vector<QString> focused;
    QTimer::singleShot(0, [&] {
        QApplication::setActiveWindow(options().window());
        get<forms::CheckBox>("chkCreateCSV").setFocus();
        for (int n = 0; n < 2; ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
            const forms::Control* active = options().activeControl();
            focused.push_back(active != nullptr ? active->name() : QString());
        }
        press("cmdCancel");
    });
    cindrel::shell::showOptionsDialog(*startup, 0, &window("frmMain"));
    EXPECT_THAT(focused, ::testing::UnorderedElementsAre(QStringLiteral("txtRecentFiles"), QStringLiteral("lstFileLocations")));
}

} // namespace
