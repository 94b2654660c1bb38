#include "shell/T_colData.h"
#include "shell/clsRegisty.h"

#include "../RecordingRunLog.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "forms/CheckBox.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/Layout.h"
#include "forms/TextBox.h"
#include "registry/Store.h"
#include "support/ChildProcess.h"
#include "support/FolderNames.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace cindrel::shell;
using forms::ControlKind;
using forms::ControlSpec;
using testsupport::fileText;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

// Three small windows with saved controls of every kind, arrays created out of
// order as the real windows create theirs, and one reaction: the packed angle
// label refills the angle box, as the main window's does.
const std::vector<ControlSpec> agmaLayout = {
    {.kind = ControlKind::Label, .name = "lblRecordKey", .index = 1, .caption = "0", .dataField = "k"},
    {.kind = ControlKind::Label, .name = "lblRecordKey", .index = 0, .caption = "0", .dataField = "k"},
    {.kind = ControlKind::TextBox, .name = "txtLife", .index = 0, .dataField = "l"},
    {.kind = ControlKind::TextBox, .name = "txtLife", .index = 2, .dataField = "l"},
    {.kind = ControlKind::TextBox, .name = "txtLife", .index = 1, .dataField = "l"},
    {.kind = ControlKind::TextBox, .name = "txtInps", .index = 0, .dataField = "i"},
    {.kind = ControlKind::TextBox, .name = "txtInps", .index = 1},
    {.kind = ControlKind::TextBox, .name = "txtUnsaved"},
};
const std::vector<ControlSpec> mainLayout = {
    {.kind = ControlKind::TextBox, .name = "txtPADeg", .dataField = "a"},
    {.kind = ControlKind::CheckBox, .name = "chkMetricUnits", .dataField = "m"},
    {.kind = ControlKind::Label, .name = "lblPADMS", .caption = "lblPADMS", .dataField = "d"},
    {.kind = ControlKind::TextBox, .name = "txtNumTeeth", .index = 1, .dataField = "n"},
    {.kind = ControlKind::TextBox, .name = "txtNumTeeth", .index = 0, .dataField = "n"},
    {.kind = ControlKind::Label, .name = "lblRunNotes", .caption = "Nothing", .dataField = "r"},
};
const std::vector<ControlSpec> mfgLayout = {
    {.kind = ControlKind::CheckBox, .name = "chkUseMFGNotes", .dataField = "u"},
    {.kind = ControlKind::TextBox, .name = "txtMFGNotes", .dataField = "t", .multiLine = true},
};

// The keys as a design file holds them: the reverse of the collection order.
const std::vector<std::string> fileOrder = {
    "frmMFGOutputs_txtMFGNotes", "frmMFGOutputs_chkUseMFGNotes", "frmMain_lblRunNotes",
    "frmMain_txtNumTeeth#0",     "frmMain_txtNumTeeth#1",        "frmMain_lblPADMS",
    "frmMain_chkMetricUnits",    "frmMain_txtPADeg",             "frmAGMA_txtInps",
    "frmAGMA_txtLife",           "frmAGMA_txtLife#2",            "frmAGMA_txtLife#0",
    "frmAGMA_lblRecordKey#0",    "frmAGMA_lblRecordKey#1",
};

// The messages shown, a line each as "title|text", for a child to hand back.
std::string shownLines(const std::vector<dialogs::MessageBoxRequest>& shown)
{
    std::string lines;
    for (const auto& request : shown)
        lines += request.title.toStdString() + "|" + request.text.toStdString() + "\n";
    return lines;
}

std::filesystem::perms currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<std::filesystem::perms>(mask);
}

class RecordingHost : public DesignFileHost {
public:
    void writeRunNote(std::string_view note) override { log.writeRunNote(note); }
    void reportError(std::string_view module, std::string_view routine, std::string_view number,
                     std::string_view description, std::string_view other) override
    {
        log.reportError(module, routine, number, description, other);
    }
    void setMainCaption(const std::string& text) override { caption = text; }
    void showReport(const std::string& text, int helpContextId) override
    {
        reports.push_back(text);
        helpContext = helpContextId;
    }
    void beginNew() override { ++stepsBack; }
    void setAgmaEventsStopped(bool stopped) override { agmaEvents.push_back(stopped ? "stop" : "go"); }
    void agmaRecordKeysRead() override { agmaEvents.emplace_back("materials"); }
    void refreshNotesWindow() override { ++notesRefreshed; }

    RecordingRunLog log;
    std::string caption;
    std::vector<std::string> reports;
    int helpContext = 0;
    int stepsBack = 0;
    int notesRefreshed = 0;
    std::vector<std::string> agmaEvents;
};

class DesignFiles : public ::testing::Test {
protected:
    DesignFiles()
    {
        windows.define(QStringLiteral("frmAGMA"), [](forms::Form& form) { forms::buildLayout(form, agmaLayout); });
        forms::Form& main =
            windows.define(QStringLiteral("frmMain"), [](forms::Form& form) { forms::buildLayout(form, mainLayout); });
        windows.define(QStringLiteral("frmMFGOutputs"), [](forms::Form& form) { forms::buildLayout(form, mfgLayout); });
        for (const char* name : {"frmAGMA", "frmMain", "frmMFGOutputs"})
            windows[QString::fromLatin1(name)].load();
        label("frmMain", "lblPADMS").onChange.connect([this] {
            text("frmMain", "txtPADeg").setText(label("frmMain", "lblPADMS").caption().left(2));
        });
        (void)main;
        writeFile("Cindrel.def", defaultDesign);
    }

    std::filesystem::path defaultPath() const { return folder.file("Cindrel.def"); }

    T_colData& start(const std::string& commandLine = {})
    {
        files = std::make_unique<T_colData>(windows, settings, host, defaultPath().string(), commandLine);
        return *files;
    }

    void writeFile(const std::string& name, const std::string& content)
    {
        std::ofstream(folder.file(name), std::ios::binary) << content;
    }

    forms::TextBox& text(const char* window, const char* name, int index = -1)
    {
        return windows[QString::fromLatin1(window)].get<forms::TextBox>(QString::fromLatin1(name), index);
    }
    forms::Label& label(const char* window, const char* name, int index = -1)
    {
        return windows[QString::fromLatin1(window)].get<forms::Label>(QString::fromLatin1(name), index);
    }
    forms::CheckBox& check(const char* window, const char* name)
    {
        return windows[QString::fromLatin1(window)].get<forms::CheckBox>(QString::fromLatin1(name));
    }
    std::vector<dialogs::MessageBoxRequest> messages() const
    {
        return dialogs.requestsOf<dialogs::MessageBoxRequest>();
    }
    std::vector<std::string> keysInFileOrder() const
    {
        std::vector<std::string> keys;
        for (const QString& key : files->keys())
            keys.insert(keys.begin(), key.toStdString());
        return keys;
    }

    static std::string record(const std::string& key, const std::string& value)
    {
        return "\"" + key + "\",\"" + value + "\"\r\n";
    }

    // Every key, with the values of a small spur pair.
    const std::string defaultDesign =
        record("frmMFGOutputs_txtMFGNotes", "") + "\"frmMFGOutputs_chkUseMFGNotes\",0\r\n" +
        record("frmMain_lblRunNotes", "Nothing") + record("frmMain_txtNumTeeth#0", "20") +
        record("frmMain_txtNumTeeth#1", "40") + record("frmMain_lblPADMS", "200000") +
        "\"frmMain_chkMetricUnits\",0\r\n" + record("frmMain_txtPADeg", "20") + record("frmAGMA_txtInps", "1800") +
        record("frmAGMA_txtLife", "54000000") + record("frmAGMA_txtLife#2", "1000") +
        record("frmAGMA_txtLife#0", "108000000") + record("frmAGMA_lblRecordKey#0", "0") +
        record("frmAGMA_lblRecordKey#1", "0");

    TemporaryFolder folder;
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scopedDialogs{dialogs};
    registry::Store store{folder.file("registry.sqlite3")};
    RecordingRunLog settingsLog;
    clsRegisty settings{settingsLog, store, folder.file("outputs").string()};
    RecordingHost host;
    forms::Forms windows;
    std::unique_ptr<T_colData> files;
};

TEST_F(DesignFiles, KeysNameWindowControlAndArrayIndexAsTheFileOrdersThem)
{
    start();
    EXPECT_EQ(keysInFileOrder(), fileOrder);
    EXPECT_EQ(host.log.notes.front(), "CollectAllControls of T_colData");
}

TEST_F(DesignFiles, StartReadsTheDefaultDesignAndLeavesNothingChanged)
{
    start();
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 1).text(), "40");
    EXPECT_EQ(text("frmAGMA", "txtLife", 1).text(), "54000000");
    EXPECT_EQ(text("frmAGMA", "txtLife", 0).text(), "108000000");
    EXPECT_FALSE(files->DataChanged());
    EXPECT_EQ(host.caption, "Cindrel");
    EXPECT_FALSE(files->isUserFile());
    EXPECT_EQ(files->ActiveFileName(true, true), defaultPath().string());
    EXPECT_THAT(host.agmaEvents, ElementsAre("stop", "go", "materials"));
    EXPECT_THAT(host.log.notes, ::testing::IsSupersetOf(std::vector<std::string>{
                                     "Reading " + defaultPath().string(), "have read " + defaultPath().string(),
                                     "T_colData initialized"}));
    EXPECT_THAT(settings.RecentFiles(), IsEmpty()) << "the default design is no recent file";
}

TEST_F(DesignFiles, TheWriterWritesEveryRecordInFileOrderByteForByte)
{
    start();
    EXPECT_EQ(files->designText(), defaultDesign);
}

TEST_F(DesignFiles, EveryValueComesBackAsItWasSaved)
{
    start();
    const QString notes = QStringLiteral("Pinion \"A\", gear B\r\nsecond line\nthird\rfourth ~ 20\u00B0");
    label("frmMain", "lblRunNotes").setCaption(notes);
    text("frmMFGOutputs", "txtMFGNotes").setText(QStringLiteral("a, b; \"c\""));
    check("frmMFGOutputs", "chkUseMFGNotes").setCheckValue(2);
    check("frmMain", "chkMetricUnits").setCheckValue(1);
    text("frmAGMA", "txtLife", 2).setText(QString());
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("  17  "));
    const auto path = folder.file("pair.cnd");
    dialogs.answerFile(QString::fromStdString(path.string()));
    ASSERT_TRUE(files->FileSaveAs());
    EXPECT_FALSE(files->DataChanged());
    const std::string saved = fileText(path);
    EXPECT_THAT(saved, HasSubstr("\"frmMain_lblRunNotes\",\"Pinion ~dblquotesA~dblquotes, gear "
                                 "B~crlfsecond line~lfthird~crfourth ~ 20\u00B0\"\r\n"));
    EXPECT_THAT(saved, HasSubstr("\"frmMFGOutputs_chkUseMFGNotes\",2\r\n"));

    label("frmMain", "lblRunNotes").setCaption(QStringLiteral("other"));
    text("frmMFGOutputs", "txtMFGNotes").setText(QStringLiteral("other"));
    check("frmMFGOutputs", "chkUseMFGNotes").setCheckValue(0);
    check("frmMain", "chkMetricUnits").setCheckValue(0);
    text("frmAGMA", "txtLife", 2).setText(QStringLiteral("5"));
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("5"));
    dialogs.answerMessageBox(dialogs::ButtonNo);
    ASSERT_TRUE(files->FileOpen(path.string()));
    EXPECT_EQ(label("frmMain", "lblRunNotes").caption(), QString(notes).replace(u'"', QStringLiteral("~dblquotes")))
        << "the notes label keeps quotes in the stored form the notes window shows as quotes";
    EXPECT_EQ(text("frmMFGOutputs", "txtMFGNotes").text(), "a, b; \"c\"");
    EXPECT_EQ(check("frmMFGOutputs", "chkUseMFGNotes").checkValue(), 2);
    EXPECT_EQ(check("frmMain", "chkMetricUnits").checkValue(), 1);
    EXPECT_EQ(text("frmAGMA", "txtLife", 2).text(), "");
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "  17  ");
    EXPECT_FALSE(files->DataChanged());
    EXPECT_EQ(files->designText(), saved) << "writing it again gives the same file";
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::others_read & ~currentUmask())
        << "a design file gets the permissions of any new file";
}

TEST_F(DesignFiles, AReactionThatChangesAnotherSavedControlLeavesTheDesignChanged)
{
    writeFile("late.cnd", record("frmMain_txtPADeg", "20") + record("frmMain_lblPADMS", "143000"));
    start();
    ASSERT_TRUE(files->FileOpen(folder.file("late.cnd").string()));
    EXPECT_EQ(text("frmMain", "txtPADeg").text(), "14");
    EXPECT_TRUE(files->DataChanged());
}

TEST_F(DesignFiles, TheMismatchReportListsUnknownAndMissingKeysWhenAsked)
{
    settings.FileVersionCheck(1);
    writeFile("old.cnd", record("frmMain_txtNumTeeth#0", "21") + record("frmMain_txtOldBox", "1") +
                             record("frmMFGOutputs_txtMFGNotes", "") + "\"frmMFGOutputs_chkUseMFGNotes\",0\r\n" +
                             record("frmMain_lblRunNotes", "n") + record("frmMain_txtNumTeeth#1", "41") +
                             record("frmMain_lblPADMS", "200000") + "\"frmMain_chkMetricUnits\",0\r\n" +
                             record("frmMain_txtPADeg", "20") + record("frmAGMA_txtInps", "1") +
                             record("frmAGMA_txtLife#2", "1") + record("frmAGMA_txtLife#0", "1") +
                             record("frmAGMA_lblRecordKey#0", "0") + record("frmAGMA_lblRecordKey#1", "0") +
                             record("frmAGMA_txtLife#1", "7"));
    start();
    EXPECT_THAT(host.reports, IsEmpty()) << "the default design fits";
    ASSERT_TRUE(files->FileOpen(folder.file("old.cnd").string()));
    const std::string separator(39, '_');
    const std::string expected =
        folder.file("old.cnd").string() + "\r\n" + separator + "\r\n" +
        "The following line items were read from the data file but were not securely placed as data for the "
        "program.\r\nfrmMain_txtOldBox\r\nfrmAGMA_txtLife#1\r\n" + separator + "\r\n" +
        "The following line items are items in the program but were not found in the data file.\r\n\r\n"
        "frmAGMA_txtLife\r\n" + separator + "\r\n" +
        "These errors occur due to version changes or a corrupt data file.  Saving should correct the problem "
        "for this file.  If this occurs at start-up then the default file is incompatible.  To fix this problem; "
        "save the start-up file and then rename it to \"Cindrel.def\"and copy it to " + folder.path().string() +
        ", (the application path)";
    ASSERT_EQ(host.reports.size(), 1u);
    EXPECT_EQ(host.reports[0], expected);
    EXPECT_EQ(host.helpContext, 12321);
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "21") << "what fits is read all the same";

    settings.FileVersionCheck(0);
    ASSERT_TRUE(files->FileOpen(folder.file("old.cnd").string()));
    EXPECT_EQ(host.reports.size(), 1u) << "no report unless asked for";
}

TEST_F(DesignFiles, AValueItsFieldRefusesIsToldInTheMismatchReport)
{
    settings.FileVersionCheck(1);
    start();
    std::string design = files->designText();
    // A check box takes 0, 1 or 2: 7 is refused, the box keeps what it had.
    const std::string metric = "\"frmMain_chkMetricUnits\",0\r\n";
    ASSERT_NE(design.find(metric), std::string::npos);
    design.replace(design.find(metric), metric.size(), "\"frmMain_chkMetricUnits\",7\r\n");
    writeFile("refused.cnd", design);
    ASSERT_TRUE(files->FileOpen(folder.file("refused.cnd").string()));
    ASSERT_EQ(host.reports.size(), 1u);
    const std::string separator(39, '_');
    EXPECT_THAT(host.reports[0],
                HasSubstr(separator + "\r\nThe following values were read from the data file but could not be put in "
                                      "their fields.\r\nreading the value (7) into field (frmMain_chkMetricUnits) "
                                      "yields error -380, Invalid property value\r\n"))
        << host.reports[0];
    EXPECT_THAT(host.reports[0], Not(HasSubstr("were not found in the data file"))) << "every key was there";
    EXPECT_EQ(check("frmMain", "chkMetricUnits").checkValue(), 0);
}

TEST_F(DesignFiles, AnEmptyDesignFileKeepsEveryValueAndMissesEveryKey)
{
    settings.FileVersionCheck(1);
    writeFile("empty.cnd", "");
    start();
    ASSERT_TRUE(files->FileOpen(folder.file("empty.cnd").string()));
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 1).text(), "40");
    ASSERT_EQ(host.reports.size(), 1u);
    for (const std::string& key : fileOrder)
        EXPECT_THAT(host.reports[0], HasSubstr("\r\n" + key)) << key;
}

// Damaged files: each is read without a crash, places what it can and logs the rest.
TEST_F(DesignFiles, DamagedRecordsAreSkippedAndReported)
{
    start();
    struct Case {
        const char* what;
        std::string content;
        const char* teeth; // txtNumTeeth(0) afterwards
        int metric;        // chkMetricUnits afterwards
        int errors;        // reported through the error handler
        bool cut = false;  // the user is told the file was cut short
    };
    const std::vector<Case> cases = {
        {"a later record wins", record("frmMain_txtNumTeeth#0", "21") + record("frmMain_txtNumTeeth#0", "22"), "22", 0, 1},
        {"an empty check-box value is refused", record("frmMain_txtNumTeeth#0", "23") + record("frmMain_chkMetricUnits", ""), "23", 0, 0},
        {"a quoted digit ticks", record("frmMain_chkMetricUnits", "1") + record("frmMain_txtNumTeeth#0", "24"), "24", 1, 0},
        {"a check-box value out of range is refused", "\"frmMain_chkMetricUnits\",7\r\n" + record("frmMain_txtNumTeeth#0", "25"), "25", 0, 0},
        {"a missing closing quote ends with its line", "\"frmMain_txtNumTeeth#0\",\"26\r\n" + record("frmMain_chkMetricUnits", "1"), "26", 1, 0},
        {"a record cut short at the end", record("frmMain_txtNumTeeth#0", "27") + "\"frmMain_chkMetricUnits\"", "27", 0, 0, true},
        {"bare values and LF line ends", "frmMain_txtNumTeeth#0, 28 \n\"frmMain_chkMetricUnits\",1\n", "28", 1, 0},
        {"binary bytes around a good record", std::string("\x01\xff\xfe\0,\x80\r\n", 8) + record("frmMain_txtNumTeeth#0", "29"), "29", 0, 0},
        {"cut inside a value", record("frmMain_chkMetricUnits", "1") + "\"frmMain_txtNumTeeth#0\",\"3", "29", 1, 0, true},
        {"cut inside an unquoted value", record("frmMain_txtNumTeeth#0", "32") + "\"frmMain_chkMetricUnits\",\"1", "32", 0, 0, true},
        {"cut after the key's comma", record("frmMain_txtNumTeeth#0", "30") + "\"frmMain_chkMetricUnits\",", "30", 0, 0, true},
        {"the last line end lost only", record("frmMain_chkMetricUnits", "1") + "\"frmMain_txtNumTeeth#0\",\"31\"", "31", 1, 0},
    };
    for (const Case& test : cases) {
        check("frmMain", "chkMetricUnits").setCheckValue(0);
        host.log.errors.clear();
        writeFile("damaged.cnd", test.content);
        std::string name = folder.file("damaged.cnd").string();
        const std::size_t shown = messages().size();
        if (test.cut)
            dialogs.answerMessageBox(dialogs::ButtonOK);
        EXPECT_TRUE(files->ReadFile(name)) << test.what;
        EXPECT_EQ(messages().size(), shown + (test.cut ? 1 : 0)) << test.what;
        EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), test.teeth) << test.what;
        EXPECT_EQ(check("frmMain", "chkMetricUnits").checkValue(), test.metric) << test.what;
        EXPECT_EQ(host.log.errors.size(), static_cast<std::size_t>(test.errors)) << test.what;
        for (const auto& error : host.log.errors) {
            EXPECT_EQ(error.module, "T_colData");
            EXPECT_EQ(error.routine, "Readfile");
        }
    }
}

// The default design cut inside the pinion's teeth: what it holds before the
// cut is read, the cut record ("2" of "20") is left out, the rest keeps the
// values it had, and the user is told, the file and the record named.
TEST_F(DesignFiles, ADesignCutInsideAValueIsToldAndReadAsFarAsItGoes)
{
    start();
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("23"));
    text("frmMain", "txtNumTeeth", 1).setText(QStringLiteral("55"));
    text("frmMain", "txtPADeg").setText(QStringLiteral("14.5"));
    label("frmMain", "lblRunNotes").setCaption(QStringLiteral("Before"));
    const std::string cutAt = "\"frmMain_txtNumTeeth#0\",\"2";
    writeFile("cut.cnd", defaultDesign.substr(0, defaultDesign.find(cutAt) + cutAt.size()));
    dialogs.answerMessageBox(dialogs::ButtonNo); // not saving the changes
    dialogs.answerMessageBox(dialogs::ButtonOK);
    const std::string path = folder.file("cut.cnd").string();
    ASSERT_TRUE(files->FileOpen(path));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].title, "Design file cut short");
    EXPECT_EQ(messages()[1].text.toStdString(),
              path + " ends inside a record: the file was cut short, and the values after the cut are missing. "
                     "The cut record, frmMain_txtNumTeeth#0, was left out. What the file holds before the cut was "
                     "read; every other value stays as it was.");
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "23");
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 1).text(), "55");
    EXPECT_EQ(text("frmMain", "txtPADeg").text(), "14.5");
    EXPECT_EQ(label("frmMain", "lblRunNotes").caption(), "Nothing"); // before the cut
    EXPECT_EQ(files->ActiveFileName(true, true), path);
    EXPECT_EQ(host.stepsBack, 1);
    EXPECT_THAT(host.log.notes, Contains(HasSubstr("The cut record, frmMain_txtNumTeeth#0, was left out")));
}

// Each line is read in its own encoding: one Latin-1 byte, or a character cut
// at the end, never turns the UTF-8 of the other lines into other letters.
TEST_F(DesignFiles, EachLineIsReadInItsOwnEncoding)
{
    start();
    const std::string notes = "Gr\xC3\xB6\xC3\x9F" "e \xE4\xB8\xAD\xE6\x96\x87"; // "Größe 中文" in UTF-8
    const QString notesText = QString::fromUtf8(notes);
    struct Case {
        const char* what;
        std::string content;
        QString runNotes;
        QString mfgNotes;
        bool cut = false;
    };
    const std::vector<Case> cases = {
        {"UTF-8 beside a Latin-1 byte", record("frmMain_lblRunNotes", notes) + record("frmMFGOutputs_txtMFGNotes", "Ma\xDF"),
         notesText, QStringLiteral("Ma\u00DF")},
        {"a Latin-1 byte before UTF-8", record("frmMFGOutputs_txtMFGNotes", "\xB1" "0.1") + record("frmMain_lblRunNotes", notes),
         notesText, QStringLiteral("\u00B1" "0.1")},
        {"an older file in Latin-1 only", record("frmMain_lblRunNotes", "Gr\xF6\xDF" "e") + record("frmMFGOutputs_txtMFGNotes", "\xB0"),
         QStringLiteral("Gr\u00F6\u00DF" "e"), QStringLiteral("\u00B0")},
        {"UTF-8 only", record("frmMain_lblRunNotes", notes) + record("frmMFGOutputs_txtMFGNotes", notes), notesText, notesText},
        {"cut inside a character", record("frmMain_lblRunNotes", notes) + "\"frmMFGOutputs_txtMFGNotes\",\"ab\xE4\xB8",
         notesText, QStringLiteral("kept"), true},
    };
    for (const Case& test : cases) {
        text("frmMFGOutputs", "txtMFGNotes").setText(QStringLiteral("kept"));
        writeFile("encodings.cnd", test.content);
        std::string name = folder.file("encodings.cnd").string();
        const std::size_t shown = messages().size();
        if (test.cut)
            dialogs.answerMessageBox(dialogs::ButtonOK);
        EXPECT_TRUE(files->ReadFile(name)) << test.what;
        EXPECT_EQ(messages().size(), shown + (test.cut ? 1 : 0)) << test.what;
        EXPECT_EQ(label("frmMain", "lblRunNotes").caption(), test.runNotes) << test.what;
        EXPECT_EQ(text("frmMFGOutputs", "txtMFGNotes").text(), test.mfgNotes) << test.what;
    }
}

// A file cut at any byte: each record before the cut reads whole, in its own
// encoding, and the record cut keeps its box as it was, never a part of it.
TEST_F(DesignFiles, ACutAtAnyByteReadsTheRecordsBeforeItWholeAndNoPartOfTheCutOne)
{
    start();
    const std::string notes = "Gr\xC3\xB6\xC3\x9F" "e \xE4\xB8\xAD\xE6\x96\x87"; // "Größe 中文" in UTF-8
    const QString notesText = QString::fromUtf8(notes);
    const std::string whole = record("frmMain_lblRunNotes", notes) + record("frmMFGOutputs_txtMFGNotes", notes) +
                              record("frmMain_txtNumTeeth#0", "31");
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    for (std::size_t cut = 1; cut <= whole.size(); ++cut) {
        label("frmMain", "lblRunNotes").setCaption(QStringLiteral("before"));
        text("frmMFGOutputs", "txtMFGNotes").setText(QStringLiteral("kept"));
        text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("23"));
        writeFile("scan.cnd", whole.substr(0, cut));
        std::string name = folder.file("scan.cnd").string();
        files->ReadFile(name);
        const QString runNotes = label("frmMain", "lblRunNotes").caption();
        const QString mfgNotes = text("frmMFGOutputs", "txtMFGNotes").text();
        const QString teeth = text("frmMain", "txtNumTeeth", 0).text();
        EXPECT_TRUE(runNotes == QStringLiteral("before") || runNotes == notesText) << cut << ": " << runNotes.toStdString();
        EXPECT_TRUE(mfgNotes == QStringLiteral("kept") || mfgNotes == notesText) << cut << ": " << mfgNotes.toStdString();
        EXPECT_TRUE(teeth == QStringLiteral("23") || teeth == QStringLiteral("31")) << cut << ": " << teeth.toStdString();
    }
}

TEST_F(DesignFiles, AFileOfBadRecordsListsTheFirstFiveFaultsAndCountsTheRest)
{
    start();
    struct Case {
        const char* what;
        std::string badRecord;   // repeated 1000 times after a good record
        const char* firstListed; // the record of the first fault listed
        const char* summary;     // the count of the faults not listed
    };
    const std::vector<Case> cases = {
        {"records of one field", "x\r\n", "record 2", "995 more faults"},
        // From the second on each is read again (999) and every value refused (1000).
        {"a key read again, its value refused", "\"frmMain_chkMetricUnits\",7\r\n", "record 3", "1994 more faults"},
    };
    for (const Case& test : cases) {
        host.log.errors.clear();
        host.log.notes.clear();
        std::string content = record("frmMain_txtNumTeeth#0", "31");
        for (int i = 0; i < 1000; ++i)
            content += test.badRecord;
        writeFile("flood.cnd", content);
        std::string name = folder.file("flood.cnd").string();
        ASSERT_TRUE(files->ReadFile(name)) << test.what;
        EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "31") << test.what;
        ASSERT_EQ(host.log.errors.size(), 5u) << test.what;
        EXPECT_EQ(host.log.errors.front().other, test.firstListed) << test.what;
        EXPECT_EQ(std::count_if(host.log.notes.begin(), host.log.notes.end(),
                                [&](const std::string& note) { return note.find(test.summary) != std::string::npos; }),
                  1)
            << test.what;
        EXPECT_LE(host.log.notes.size(), 4u) << test.what << ": the summary and the reader's own notes";
    }
}

TEST_F(DesignFiles, TheMismatchReportListsTheFirstHundredUnknownKeysAndCountsTheRest)
{
    settings.FileVersionCheck(1);
    start();
    std::string content = files->designText();
    for (int i = 0; i < 1000; ++i)
        content += record("frmMain_txtGone" + std::to_string(i), "1");
    writeFile("unknown.cnd", content);
    ASSERT_TRUE(files->FileOpen(folder.file("unknown.cnd").string()));
    ASSERT_EQ(host.reports.size(), 1u);
    const std::string& report = host.reports[0];
    EXPECT_NE(report.find("\r\nfrmMain_txtGone99\r\n... and 900 more\r\n"), std::string::npos);
    EXPECT_EQ(report.find("frmMain_txtGone100"), std::string::npos);
}

TEST_F(DesignFiles, RandomBytesNeverBreakTheReader)
{
    start();
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    // Mostly the characters the format is made of, so that records half form.
    const std::string alphabet = "\"\",,\r\n\n#~ frmMain_txtNumTeeth#0chkMetricUnits01\x00\xff\xc3";
    std::mt19937 random(20261210);
    for (int file = 0; file < 300; ++file) {
        std::string content(random() % 400, ' ');
        for (char& c : content)
            c = random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
        writeFile("random.cnd", content);
        std::string name = folder.file("random.cnd").string();
        EXPECT_NO_THROW(files->ReadFile(name)) << file;
    }
    const int metric = check("frmMain", "chkMetricUnits").checkValue();
    EXPECT_TRUE(metric >= 0 && metric <= 2);
}

TEST_F(DesignFiles, AFileThatHoldsNoDesignIsNotOpened)
{
    start();
    writeFile("picture.cnd", std::string(200000, '\x89') + "PNG");
    writeFile("endless.cnd", std::string(3u << 20, 'x'));
    for (const char* name : {"picture.cnd", "endless.cnd"}) {
        dialogs.answerMessageBox(dialogs::ButtonOK);
        EXPECT_FALSE(files->FileOpen(folder.file(name).string())) << name;
        EXPECT_THAT(messages().back().text.toStdString(), HasSubstr("is not a Cindrel design file")) << name;
    }
    EXPECT_EQ(files->ActiveFileName(true, true), defaultPath().string());
    EXPECT_EQ(host.caption, "Cindrel");
    EXPECT_THAT(settings.RecentFiles(), IsEmpty());
    EXPECT_EQ(host.stepsBack, 0);
}

TEST_F(DesignFiles, AFailedOpenChangesNeitherNameNorCaptionNorRecentFiles)
{
    start();
    dialogs.answerMessageBox(dialogs::ButtonOK);
    const std::string missing = folder.file("missing.cnd").string();
    EXPECT_FALSE(files->FileOpen(missing));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text.toStdString(), "File  " + missing + " not found");
    EXPECT_EQ(messages()[0].title, "File find error in OpenFile");
    EXPECT_EQ(files->ActiveFileName(true, true), defaultPath().string());
    EXPECT_EQ(host.caption, "Cindrel");
    EXPECT_THAT(settings.RecentFiles(), IsEmpty());
    EXPECT_EQ(host.stepsBack, 0);
}

TEST_F(DesignFiles, OpeningADesignNamesTheWindowStepsBackAndListsTheFile)
{
    writeFile("pair one.CND", record("frmMain_txtNumTeeth#0", "31"));
    start();
    ASSERT_TRUE(files->FileOpen(folder.file("pair one.CND").string()));
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "31");
    EXPECT_EQ(host.caption, "Cindrel;   pair one");
    EXPECT_EQ(host.stepsBack, 1);
    EXPECT_EQ(host.notesRefreshed, 1);
    EXPECT_THAT(settings.RecentFiles(), ElementsAre(folder.file("pair one.CND").string()));
    EXPECT_TRUE(files->isUserFile());
}

TEST_F(DesignFiles, AFileWithAnotherExtensionIsOnlyLoggedAndDroppedFromTheRecentFiles)
{
    start();
    const std::string picture = folder.file("drawing.dxf").string();
    settings.RUF_AddFile2Coll(picture);
    EXPECT_FALSE(files->FileOpen(picture));
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(host.log.notes.back(), "Doesn't appear to be a good file name: \r\n" + picture);
    EXPECT_THAT(settings.RecentFiles(), IsEmpty());
}

TEST_F(DesignFiles, TheCommandLineDesignIsReadAtStartAndAnUnreadableOneFallsBackToTheDefault)
{
    writeFile("start.cnd", record("frmMain_txtNumTeeth#0", "33"));
    start(folder.file("start.cnd").string());
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "33");
    EXPECT_EQ(host.caption, "Cindrel;   start");

    dialogs.answerMessageBox(dialogs::ButtonOK);
    start(folder.file("gone.cnd").string());
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "20");
    EXPECT_EQ(host.caption, "Cindrel");
}

TEST_F(DesignFiles, SavingTheNewDesignAsksForANameAndNeverWritesTheDefault)
{
    start();
    const std::string before = fileText(defaultPath());
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("19"));
    const auto target = folder.file("mine.cnd");
    dialogs.answerFile(QString::fromStdString(defaultPath().string()));
    dialogs.answerFile(QString::fromStdString(target.string()));
    ASSERT_TRUE(files->FileSave());
    const auto asked = dialogs.requestsOf<dialogs::FileDialogRequest>();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Save File");
    EXPECT_EQ(asked[0].mode, dialogs::FileDialogMode::Save);
    EXPECT_EQ(asked[0].filter, "Cindrel files (*.cnd)|*.cnd");
    // Nothing chosen yet in this run: the user's own documents, not the
    // program's outputs folder.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    EXPECT_EQ(asked[0].initialFolder, documents);
    EXPECT_EQ(asked[0].fileName, "");
    EXPECT_EQ(fileText(defaultPath()), before);
    EXPECT_THAT(fileText(target), HasSubstr(record("frmMain_txtNumTeeth#0", "19")));
    EXPECT_EQ(host.caption, "Cindrel;   " + folder.file("mine").string());
    EXPECT_FALSE(files->DataChanged());
    EXPECT_THAT(settings.RecentFiles(), ElementsAre(target.string()));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".mine.cnd")) << "no temporary file is left";

    // Save As naming the default design asks again, with the Save dialog.
    dialogs.answerFile(QString::fromStdString(defaultPath().string()));
    dialogs.answerFile(QStringLiteral("Cindrel.def"));
    dialogs.cancelFile();
    EXPECT_FALSE(files->FileSaveAs());
    const auto again = dialogs.requestsOf<dialogs::FileDialogRequest>();
    ASSERT_EQ(again.size(), 5u);
    EXPECT_EQ(again[2].title, "Save File as ...");
    EXPECT_EQ(again[2].initialFolder.toStdString(), folder.path().string() + "/");
    EXPECT_EQ(again[2].fileName, "mine.cnd");
    EXPECT_EQ(again[3].title, "Save File");
    EXPECT_EQ(fileText(defaultPath()), before);
}

// A name typed bare is saved as a design file, so that its recent-files
// entry opens it again; typed bare once more, the existing file is asked about.
TEST_F(DesignFiles, ANameTypedWithoutExtensionIsSavedAsADesignFile)
{
    start();
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    const auto typed = folder.file("pair20x40");
    const auto saved = folder.file("pair20x40.cnd");
    dialogs.answerFile(QString::fromStdString(typed.string()));
    ASSERT_TRUE(files->FileSaveAs());
    EXPECT_FALSE(std::filesystem::exists(typed));
    EXPECT_THAT(fileText(saved), HasSubstr(record("frmMain_txtNumTeeth#0", "21")));
    EXPECT_THAT(settings.RecentFiles(), ElementsAre(saved.string()));

    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("22"));
    dialogs.answerFile(QString::fromStdString(typed.string()));
    dialogs.answerMessageBox(dialogs::ButtonNo);
    dialogs.cancelFile();
    EXPECT_FALSE(files->FileSaveAs());
    EXPECT_EQ(messages().back().text, "file exists, overwrite?");
    EXPECT_THAT(fileText(saved), HasSubstr(record("frmMain_txtNumTeeth#0", "21")));

    dialogs.answerMessageBox(dialogs::ButtonNo); // save the changes first? No
    EXPECT_TRUE(files->FileOpen(settings.RecentFiles().front()));
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "21");
    EXPECT_THAT(settings.RecentFiles(), ElementsAre(saved.string()));
}

TEST_F(DesignFiles, DecliningToOverwriteAsksAgainAndACancelWritesNothing)
{
    start();
    writeFile("taken.cnd", "keep me");
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("18"));
    dialogs.answerFile(QString::fromStdString(folder.file("taken.cnd").string()));
    dialogs.answerMessageBox(dialogs::ButtonNo);
    dialogs.cancelFile();
    EXPECT_FALSE(files->FileSave());
    const auto asked = dialogs.requestsOf<dialogs::FileDialogRequest>();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].title, "Save File as ...");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "file exists, overwrite?");
    EXPECT_EQ(messages()[0].title, "Overwrite existing file?");
    EXPECT_EQ(fileText(folder.file("taken.cnd")), "keep me");
    EXPECT_TRUE(files->DataChanged());
    EXPECT_FALSE(files->isUserFile()) << "the name changes only with a written file";

    dialogs.answerFile(QString::fromStdString(folder.file("taken.cnd").string()));
    dialogs.answerMessageBox(dialogs::ButtonYes);
    EXPECT_TRUE(files->FileSave());
    EXPECT_THAT(fileText(folder.file("taken.cnd")), HasSubstr(record("frmMain_txtNumTeeth#0", "18")));
}

TEST_F(DesignFiles, AFailedWriteKeepsTheDesignChangedAndTheNameAsItWas)
{
    writeFile("pair.cnd", record("frmMain_txtNumTeeth#0", "20"));
    start(folder.file("pair.cnd").string());
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    const std::string nowhere = folder.file("no folder").string() + "/x.cnd";
    dialogs.answerFile(QString::fromStdString(nowhere));
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->FileSaveAs());
    ASSERT_EQ(messages().size(), 1u) << "the reason alone, not a second word that it failed";
    EXPECT_EQ(messages()[0].text.toStdString(), nowhere + " path not found: the design was not saved.");
    EXPECT_TRUE(files->DataChanged());
    EXPECT_EQ(files->ActiveFileName(true, true), folder.file("pair.cnd").string());
}

TEST_F(DesignFiles, NewAndOpenStopWhenTheAskedForSaveDoesNotHappen)
{
    start();
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("17"));
    dialogs.answerMessageBox(dialogs::ButtonYes);
    dialogs.cancelFile();
    files->FileNew();
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "17") << "the unsaved design stays";
    EXPECT_EQ(messages().at(0).text, "Save current data?");
    EXPECT_EQ(messages().at(0).title, "Cindrel, Save?");

    writeFile("other.cnd", record("frmMain_txtNumTeeth#0", "30"));
    dialogs.answerMessageBox(dialogs::ButtonCancel);
    EXPECT_FALSE(files->FileOpen(folder.file("other.cnd").string()));
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "17");

    dialogs.answerMessageBox(dialogs::ButtonNo);
    files->FileNew();
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "20");
    EXPECT_EQ(host.stepsBack, 1);
    EXPECT_FALSE(files->DataChanged());
}

TEST_F(DesignFiles, OpenWithoutAPathAsksForTheFile)
{
    writeFile("asked.cnd", record("frmMain_txtNumTeeth#0", "32"));
    start();
    dialogs.cancelFile();
    EXPECT_FALSE(files->FileOpen(""));
    dialogs.answerFile(QString::fromStdString(folder.file("asked.cnd").string()));
    EXPECT_TRUE(files->FileOpen(""));
    EXPECT_EQ(text("frmMain", "txtNumTeeth", 0).text(), "32");
    const auto asked = dialogs.requestsOf<dialogs::FileDialogRequest>();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Open File");
    EXPECT_EQ(asked[0].mode, dialogs::FileDialogMode::Open);
    EXPECT_EQ(asked[0].flags, dialogs::FileHideReadOnly);
}

TEST_F(DesignFiles, TheActiveNameInItsFourForms)
{
    start();
    struct Case {
        std::string active;
        bool withExtension, withFolder;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"/designs/pair.cnd", true, true, "/designs/pair.cnd"},
        {"/designs/pair.cnd", false, true, "/designs/pair"},
        {"/designs/pair.cnd", true, false, "pair.cnd"},
        {"/designs/pair.cnd", false, false, "pair"},
        {"/designs/gear1", false, false, "gear1"},
        {"/designs.v2/gear1", false, true, "/designs.v2/gear1"},
        {"/designs/a.b.cnd", false, false, "a.b"},
        {"", false, false, ""},
    };
    for (const Case& test : cases) {
        files->ActiveFileName(test.active);
        EXPECT_EQ(files->ActiveFileName(test.withExtension, test.withFolder), test.expected) << test.active;
    }
    files->ActiveFileName("/designs/pair.cnd");
    EXPECT_EQ(files->PathOnly(), "/designs/");
    files->ActiveFileName("Cindrel.def");
    EXPECT_FALSE(files->isUserFile());
    files->ActiveFileName("");
    EXPECT_TRUE(files->isUserFile());
}

TEST_F(DesignFiles, OpenFileTellsWhyAFileCannotBeOpened)
{
    start();
    DesignTextFile file;
    EXPECT_FALSE(files->OpenFile(defaultPath().string(), file, 3)) << "an unknown mode opens nothing";
    EXPECT_FALSE(file.isOpen());
    EXPECT_THAT(messages(), IsEmpty());

    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->OpenFile(folder.file("none/x.csv").string(), file, 2));
    EXPECT_EQ(messages().back().title, "Path find failure");

    ASSERT_TRUE(files->OpenFile(folder.file("trace.csv").string(), file, 0));
    *file.out() << "one\r\n";
    EXPECT_FALSE(std::filesystem::exists(folder.file("trace.csv"))) << "not before it is complete";
    EXPECT_EQ(file.close(), 0);
    ASSERT_TRUE(files->OpenFile(folder.file("trace.csv").string(), file, 2));
    *file.out() << "two\r\n";
    EXPECT_EQ(file.close(), 0);
    EXPECT_EQ(fileText(folder.file("trace.csv")), "one\r\ntwo\r\n");

    {
        DesignTextFile dropped;
        ASSERT_TRUE(files->OpenFile(folder.file("trace.csv").string(), dropped, 0));
        *dropped.out() << "half";
    }
    EXPECT_EQ(fileText(folder.file("trace.csv")), "one\r\ntwo\r\n") << "a file never closed replaces nothing";
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".trace.csv")) << "nor is it left behind";
}

// A reader asks three times, as it always has, and once it gives up says so:
// no question to close a file is left without an answer.
TEST_F(DesignFiles, AFileTheProgramHoldsOpenIsAskedForThreeTimesThenGivenUp)
{
    start();
    const std::string trace = folder.file("trace.csv").string();
    DesignTextFile held;
    ASSERT_TRUE(files->OpenFile(trace, held, 2));
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    DesignTextFile again;
    const std::string spelled = folder.path().string() + "/./trace.csv";
    EXPECT_FALSE(files->OpenFile(spelled, again, 1));
    ASSERT_EQ(messages().size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(messages()[i].text.toStdString(), spelled + " file is already open, close before proceeding");
    EXPECT_EQ(messages()[3].text.toStdString(),
              spelled + "\r\nError 55: File already open\r\nThe file is still open: nothing was read.");
    EXPECT_EQ(held.close(), 0);
    EXPECT_TRUE(files->OpenFile(trace, again, 1)) << "free again once closed";
}

TEST_F(DesignFiles, ADeniedFileIsAskedForTwiceThenGivenUp)
{
    start();
    const auto locked = folder.file("locked.cnd");
    writeFile("locked.cnd", "x");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    const auto told = folder.file("told.txt");
    std::ofstream out(told, std::ios::binary); // opened before the child gives up its rights
    const int result = testsupport::asUnprivilegedUser([&] {
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        DesignTextFile file;
        const bool opened = files->OpenFile(locked.string(), file, 1) || files->OpenFile(locked.string(), file, 1);
        out << shownLines(messages()) << std::flush;
        return opened ? 1 : 0;
    });
    out.close();
    if (result == 77)
        GTEST_SKIP() << "no user without privileges to become";
    EXPECT_EQ(result, 0);
    // Asked under the program's own title, as every message without one of its own.
    const std::string asked = QCoreApplication::applicationName().toStdString() + "|" + locked.string() +
                              "\r\nFile open, access denied\r\nclose file, then click OK\n";
    const std::string gaveUp = "Permission denied|" + locked.string() +
                               "\r\nError 70: Permission denied\r\nAccess to the file is still denied: nothing was "
                               "read.\n";
    EXPECT_EQ(testsupport::fileText(told), asked + asked + gaveUp + asked + asked + gaveUp)
        << "each call has retries of its own";
}

} // namespace

// A device is no design file, for appending either: refused before any
// write with the file-access message. A full disk under a regular file is
// reported as such by the one file writer, whose tests write to /dev/full.
TEST_F(DesignFiles, ADeviceIsRefusedBeforeAnyWrite)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    start();
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    DesignTextFile file;
    EXPECT_FALSE(files->OpenFile("/dev/full", file, 2));
    ASSERT_FALSE(messages().empty());
    EXPECT_NE(messages().back().text.toStdString().find("Path/File access error"), std::string::npos);
}

TEST_F(DesignFiles, ASaveThatCannotBeWrittenWholeLeavesTheEarlierFileAsItWas)
{
    const std::string earlier = record("frmMain_txtNumTeeth#0", "20");
    writeFile("pair.cnd", earlier);
    start();
    const std::string target = folder.file("pair.cnd").string();
    // A process that may not grow a file past 100 bytes meets a full disk half-way.
    const int closeResult = testsupport::inChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, 100};
        setrlimit(RLIMIT_FSIZE, &small);
        DesignTextFile file;
        if (!files->OpenFile(target, file, 0))
            return 0;
        *file.out() << std::string(1 << 16, 'y');
        return file.close();
    });
    EXPECT_NE(closeResult, 0) << "reported";
    EXPECT_EQ(fileText(folder.file("pair.cnd")), earlier);
    EXPECT_THAT(testsupport::namesStartingWith(folder.path(), ".pair.cnd"), IsEmpty());
}

TEST_F(DesignFiles, TheNextSaveRemovesTheTemporaryOfAKilledSaveOfItsTarget)
{
    start();
    const std::string target = folder.file("pair.cnd").string();
    testsupport::inChildProcess([&] {
        DesignTextFile file;
        if (files->OpenFile(target, file, 0)) {
            *file.out() << std::string(1 << 16, 'k');
            file.out()->flush();
        }
        raise(SIGKILL);
        return 0;
    });
    const std::vector<std::string> left = testsupport::namesStartingWith(folder.path(), ".pair.cnd.");
    ASSERT_EQ(left.size(), 1u) << "the killed save's temporary";
    EXPECT_EQ(std::filesystem::file_size(folder.file(left.front())), 1u << 16);

    // What is not recognisably an abandoned temporary of this target stays.
    writeFile(".pair.cnd.bak", "b");
    writeFile(".pair.cnd.backup", "the user's own");
    writeFile(".pair.cnd.2024v1", "the user's own");
    writeFile(".pair.cnd.ABCDEFG", "7");
    writeFile(".gear.cnd.ABC123", "other target");
    std::filesystem::create_directory(folder.file(".pair.cnd.Dir123"));
    runtime::AtomicFile running(target); // another save of the same target, still writing
    ASSERT_TRUE(running.isOpen());

    DesignTextFile file;
    ASSERT_TRUE(files->OpenFile(target, file, 0));
    *file.out() << "new";
    EXPECT_EQ(file.close(), 0);
    EXPECT_EQ(fileText(folder.file("pair.cnd")), "new");
    const std::string runningName = std::filesystem::path(running.temporaryPath()).filename().string();
    std::vector<std::string> kept = {".pair.cnd.2024v1", ".pair.cnd.ABCDEFG", ".pair.cnd.Dir123",
                                     ".pair.cnd.backup", ".pair.cnd.bak",     runningName};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(testsupport::namesStartingWith(folder.path(), ".pair.cnd."), kept);
    EXPECT_TRUE(std::filesystem::exists(folder.file(".gear.cnd.ABC123")));
}


namespace {

constexpr std::size_t DesignFileLimit = 16 * 1024 * 1024; // 16 MiB

// Runs `work` in a child process that sees `folder` mounted read-only, in a
// mount namespace of its own (a user namespace too when not the super-user);
// 77 when this system allows no such mount.
template <typename Work> int withReadOnlyFolder(const std::filesystem::path& folder, Work work)
{
    const std::string path = folder.string();
    return testsupport::withOwnMounts(
        [&] {
            return ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                   ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        },
        work);
}

} // namespace

// A design is refused whole, before anything is written, when it is larger
// than a design file may be; one of exactly the limit is saved and read back.
TEST_F(DesignFiles, TheWriterRefusesADesignTheReaderWouldRefuseAndKeepsEveryOtherOne)
{
    writeFile("pair.cnd", defaultDesign);
    const std::string target = folder.file("pair.cnd").string();
    start(target);
    // The fixture's file less its notes, "Nothing", is the rest of the design.
    const std::size_t rest = defaultDesign.size() - std::string("Nothing").size();
    const QString atLimit(static_cast<qsizetype>(DesignFileLimit - rest), u'n');

    label("frmMain", "lblRunNotes").setCaption(atLimit + u'n');
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->FileSave());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_THAT(messages()[0].text.toStdString(), HasSubstr("16,777,217 bytes"));
    EXPECT_THAT(messages()[0].text.toStdString(), HasSubstr("16 MiB (16,777,216 bytes)"));
    EXPECT_EQ(fileText(target), defaultDesign) << "nothing written";
    EXPECT_THAT(testsupport::namesStartingWith(folder.path(), ".pair.cnd"), IsEmpty());
    EXPECT_TRUE(files->DataChanged());

    label("frmMain", "lblRunNotes").setCaption(atLimit);
    ASSERT_TRUE(files->FileSave());
    EXPECT_EQ(std::filesystem::file_size(target), DesignFileLimit);
    label("frmMain", "lblRunNotes").setCaption(QStringLiteral("short"));
    std::string name = target;
    ASSERT_TRUE(files->ReadFile(name));
    EXPECT_EQ(label("frmMain", "lblRunNotes").caption().size(), atLimit.size());

    // One byte more, written by something else, is refused by the reader with the same limit.
    std::ofstream(target, std::ios::binary | std::ios::app) << "\n";
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->ReadFile(name));
    EXPECT_THAT(messages().back().text.toStdString(), HasSubstr("16 MiB (16,777,216 bytes)"));
}

// A folder, a named pipe or a device is named for what it is, with the error
// number and its text apart.
TEST_F(DesignFiles, ANameThatIsNoFileIsToldForWhatItIs)
{
    start();
    std::filesystem::create_directory(folder.file("folder.cnd"));
    std::filesystem::create_directory(folder.file("trace.csv"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.cnd").c_str(), 0600), 0);
    struct Case {
        std::string path;
        int mode;
        std::string reason;
    };
    const Case cases[] = {
        {folder.file("folder.cnd").string(), 1, "The name is a folder, not a design file."},
        {folder.file("folder.cnd").string(), 0, "The name is a folder, not a design file."},
        {folder.file("pipe.cnd").string(), 1, "The name is a named pipe, not a design file."},
        {folder.file("trace.csv").string(), 2, "The name is a folder, not a plain file."},
        {"/dev/null", 0, "The name is a device, not a plain file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " mode " + std::to_string(c.mode));
        dialogs.answerMessageBox(dialogs::ButtonOK);
        DesignTextFile file;
        EXPECT_FALSE(files->OpenFile(c.path, file, c.mode));
        EXPECT_EQ(messages().back().text.toStdString(), c.path + "\r\nError 75: Path/File access error\r\n" + c.reason);
        EXPECT_EQ(messages().back().title, "Path/File access error");
    }
    EXPECT_EQ(messages().size(), std::size(cases));
}

// A Save or Save As onto a folder, a named pipe or a link to a device says
// why in one message, before any question of overwriting, and the save ends
// there. Nothing is written and the earlier file stays.
TEST_F(DesignFiles, ASaveOntoANameThatIsNoFileSaysWhyOnceAndKeepsTheEarlierFile)
{
    writeFile("pair.cnd", defaultDesign);
    const std::string earlier = folder.file("pair.cnd").string();
    start(earlier);
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    std::filesystem::create_directory(folder.file("folder.cnd"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.cnd").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.cnd"));
    struct Case {
        const char* name;
        const char* kind;
    };
    const Case cases[] = {{"folder.cnd", "a folder"}, {"pipe.cnd", "a named pipe"}, {"zero.cnd", "a device"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name).string();
        const std::string told =
            path + "\r\nError 75: Path/File access error\r\nThe name is " + c.kind +
            ", not a design file. The design was not saved.";
        std::size_t before = messages().size();
        dialogs.answerFile(QString::fromStdString(path));
        dialogs.answerMessageBox(dialogs::ButtonOK);
        EXPECT_FALSE(files->FileSaveAs());
        ASSERT_EQ(messages().size(), before + 1);
        EXPECT_EQ(messages().back().text.toStdString(), told);
        EXPECT_EQ(messages().back().title, "Path/File access error");

        // The active design's own name, become such a name since it was opened.
        files->ActiveFileName(path);
        before = messages().size();
        dialogs.answerMessageBox(dialogs::ButtonOK);
        EXPECT_FALSE(files->FileSave());
        ASSERT_EQ(messages().size(), before + 1);
        EXPECT_EQ(messages().back().text.toStdString(), told);
        files->ActiveFileName(earlier);
    }
    EXPECT_EQ(dialogs.requestsOf<dialogs::FileDialogRequest>().size(), std::size(cases)) << "no name asked again";
    EXPECT_EQ(fileText(earlier), defaultDesign);
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("folder.cnd")));
    EXPECT_THAT(testsupport::namesStartingWith(folder.path(), "."), IsEmpty());
    EXPECT_TRUE(files->DataChanged());
}

// A save into a folder the user may not write says so once, naming the
// folder: no "close file" retries, no overwrite question, nothing written.
TEST_F(DesignFiles, ASaveIntoAFolderThatMayNotBeWrittenSaysSoOnceNamingIt)
{
    std::filesystem::create_directory(folder.file("locked"));
    writeFile("locked/pair.cnd", defaultDesign);
    const std::string existing = folder.file("locked/pair.cnd").string();
    const std::string fresh = folder.file("locked/new.cnd").string();
    start(existing);
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    using std::filesystem::perms;
    std::filesystem::permissions(folder.path(), perms::owner_all | perms::group_read | perms::group_exec |
                                                    perms::others_read | perms::others_exec);
    const perms readOnly = perms::owner_read | perms::owner_exec | perms::group_read | perms::group_exec |
                           perms::others_read | perms::others_exec;
    std::filesystem::permissions(folder.file("locked"), readOnly);
    const auto told = folder.file("told.txt");
    std::ofstream out(told, std::ios::binary); // opened before the child gives up its rights
    const int result = testsupport::asUnprivilegedUser([&] {
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        dialogs.answerFile(QString::fromStdString(fresh));
        dialogs.answerFile(QString::fromStdString(existing));
        const bool saved = files->FileSave() || files->FileSaveAs() || files->FileSaveAs();
        for (const auto& request : messages())
            out << request.title.toStdString() << "|" << request.text.toStdString() << "\n";
        out.flush();
        return saved ? 1 : 0;
    });
    out.close();
    std::filesystem::permissions(folder.file("locked"), perms::owner_write, std::filesystem::perm_options::add);
    if (result == 77)
        GTEST_SKIP() << "no user without privileges to become";
    EXPECT_EQ(result, 0);
    const std::string reason = "\r\nError 70: Permission denied\r\nThe folder " + folder.file("locked").string() +
                               " may not be written: the design was not saved.\n";
    EXPECT_EQ(fileText(told), "Permission denied|" + existing + reason + "Permission denied|" + fresh + reason +
                                  "Permission denied|" + existing + reason);
    EXPECT_EQ(fileText(existing), defaultDesign);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_THAT(testsupport::namesStartingWith(folder.file("locked"), "."), IsEmpty());
}

// A design file this user may not write (mode 0444, in a folder that may be
// written): Save and Save As each end with one message that names the file
// and says the design was not saved. Closing a file changes no permission,
// so nothing asks to close one, and Save As asks no "overwrite?" first.
TEST_F(DesignFiles, ASaveOntoAFileThatMayNotBeWrittenSaysSoOnceAndKeepsIt)
{
    using std::filesystem::perms;
    std::filesystem::permissions(folder.path(), perms::all);
    writeFile("pair.cnd", defaultDesign);
    const std::string target = folder.file("pair.cnd").string();
    start(target);
    std::filesystem::permissions(target, perms::owner_read | perms::group_read | perms::others_read);
    const std::string link = folder.file("link.cnd").string();
    std::filesystem::create_symlink("pair.cnd", link);
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    const auto told = folder.file("told.txt");
    std::ofstream out(told, std::ios::binary); // opened before the child gives up its rights
    const int result = testsupport::asUnprivilegedUser([&] {
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        dialogs.answerFile(QString::fromStdString(target));
        dialogs.answerFile(QString::fromStdString(link));
        const bool saved = files->FileSave() || files->FileSaveAs() || files->FileSaveAs();
        out << shownLines(messages()) << std::flush;
        return saved || files->ActiveFileName(true, true) != target || !files->DataChanged() ? 1 : 0;
    });
    out.close();
    if (result == 77)
        GTEST_SKIP() << "no user without privileges to become";
    EXPECT_EQ(result, 0) << "not saved, the name kept and the design still changed";
    const std::string denied = "Permission denied|" + target +
                               "\r\nError 70: Permission denied\r\nThe file may not be written: the design was not "
                               "saved.\n";
    // Through a link, the file the user did not type is named.
    const std::string deniedThroughLink = "Permission denied|" + link +
                                          "\r\nError 70: Permission denied\r\nThe file it links to, " + target +
                                          ", may not be written: the design was not saved.\n";
    EXPECT_EQ(fileText(told), denied + denied + deniedThroughLink);
    EXPECT_EQ(fileText(target), defaultDesign);
    EXPECT_THAT(testsupport::namesStartingWith(folder.path(), ".pair.cnd"), IsEmpty());
}

// A file the program itself holds open is one that closing frees: the save
// asks to close it, with Cancel to give up, a few times at most. Given up
// or asked out, it ends with one message that the design was not saved.
TEST_F(DesignFiles, ASaveOfAFileHeldOpenAsksToCloseItAndSaysWhenItGivesUp)
{
    writeFile("pair.cnd", defaultDesign);
    const std::string target = folder.file("pair.cnd").string();
    start(target);
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    DesignTextFile held;
    ASSERT_TRUE(files->OpenFile(target, held, 2));
    const std::string asked = target + " file is already open, close before proceeding";
    const std::string gaveUp =
        target + "\r\nError 55: File already open\r\nThe file is still open: the design was not saved.";

    dialogs.answerMessageBox(dialogs::ButtonCancel);
    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->FileSave());
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text.toStdString(), asked);
    EXPECT_EQ(messages()[0].buttonSet, dialogs::OKCancel);
    EXPECT_EQ(messages()[1].text.toStdString(), gaveUp);
    EXPECT_EQ(messages()[1].title, "File already open");

    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->FileSave());
    ASSERT_EQ(messages().size(), 6u);
    for (std::size_t i = 2; i < 5; ++i)
        EXPECT_EQ(messages()[i].text.toStdString(), asked);
    EXPECT_EQ(messages()[5].text.toStdString(), gaveUp);
    EXPECT_EQ(fileText(target), defaultDesign);
    EXPECT_THAT(testsupport::namesStartingWith(folder.path(), ".pair.cnd"), IsEmpty());
    EXPECT_TRUE(files->DataChanged());

    EXPECT_EQ(held.close(), 0);
    EXPECT_TRUE(files->FileSave()) << "saved once the file is free";
    EXPECT_THAT(fileText(target), HasSubstr(record("frmMain_txtNumTeeth#0", "21")));
}

// Save As onto a link writes the file the link names, where that file is:
// a link into a folder that may not be written is refused once, naming that
// folder; a link in such a folder to a file in a writable one is saved; a
// link to a file not there yet saves it, and the link then leads to it. The
// links stay links.
TEST_F(DesignFiles, ASaveAsOntoALinkSavesTheFileItNamesAndKeepsTheLink)
{
    namespace fs = std::filesystem;
    using fs::perms;
    fs::permissions(folder.path(), perms::all);
    for (const char* name : {"open", "locked"})
        fs::create_directory(folder.file(name));
    writeFile("locked/pair.cnd", "kept");
    fs::permissions(folder.file("locked/pair.cnd"), perms::all);
    writeFile("open/target.cnd", "earlier");
    fs::permissions(folder.file("open/target.cnd"), perms::all);
    const std::pair<const char*, std::string> links[] = {
        {"open/tolocked.cnd", "../locked/pair.cnd"},
        {"locked/toopen.cnd", folder.file("open/target.cnd").string()},
        {"open/dangling.cnd", "fresh.cnd"},
        {"open/nowhere.cnd", "../missing/x.cnd"},
        {"open/loop.cnd", "loop.cnd"},
    };
    for (const auto& [link, named] : links)
        fs::create_symlink(named, folder.file(link));
    fs::permissions(folder.file("open"), perms::all);
    fs::permissions(folder.file("locked"), perms::owner_read | perms::owner_exec | perms::group_read |
                                               perms::group_exec | perms::others_read | perms::others_exec);
    start();
    // The recent-files list, stored on each save, is written by the child too.
    for (const auto& entry : fs::directory_iterator(folder.path()))
        if (entry.path().filename().string().starts_with("registry"))
            fs::permissions(entry.path(), perms::all);
    const auto path = [&](const char* name) { return folder.file(name).string(); };
    const auto told = folder.file("told.txt");
    std::ofstream out(told, std::ios::binary); // opened before the child gives up its rights
    const int result = testsupport::asUnprivilegedUser([&] {
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        std::string saved;
        const auto saveAs = [&](const char* name, const char* teeth, bool overwrite = false) {
            text("frmMain", "txtNumTeeth", 0).setText(QString::fromLatin1(teeth));
            dialogs.answerFile(QString::fromStdString(path(name)));
            if (overwrite)
                dialogs.answerMessageBox(dialogs::ButtonYes);
            saved += files->FileSaveAs() ? "1" : "0";
        };
        saveAs("open/tolocked.cnd", "21");
        saveAs("locked/toopen.cnd", "22", true); // asked whether to overwrite the file the link names
        saveAs("open/dangling.cnd", "23");
        saveAs("open/nowhere.cnd", "24");
        saveAs("open/loop.cnd", "25");
        out << saved << "\n" << shownLines(messages()) << std::flush;
        return 0;
    });
    out.close();
    fs::permissions(folder.file("locked"), perms::owner_write, fs::perm_options::add);
    if (result == 77)
        GTEST_SKIP() << "no user without privileges to become";
    ASSERT_EQ(result, 0);
    EXPECT_EQ(fileText(told), "01100\n"
                              "Permission denied|" +
                                  path("open/tolocked.cnd") +
                                  "\r\nError 70: Permission denied\r\nThe folder " + path("locked") +
                                  " may not be written: the design was not saved.\n"
                                  "Overwrite existing file?|file exists, overwrite?\n"
                                  "Path find failure|" +
                                  path("open/nowhere.cnd") + " path not found: the design was not saved.\n" +
                                  "Path/File access error|" + path("open/loop.cnd") +
                                  "\r\nError 75: Path/File access error\r\nThe name is a link whose chain of links "
                                  "leads round in a circle. The design was not saved.\n");
    EXPECT_EQ(fileText(folder.file("locked/pair.cnd")), "kept");
    EXPECT_THAT(fileText(folder.file("open/target.cnd")), HasSubstr(record("frmMain_txtNumTeeth#0", "22")));
    EXPECT_THAT(fileText(folder.file("open/fresh.cnd")), HasSubstr(record("frmMain_txtNumTeeth#0", "23")));
    for (const auto& [link, named] : links) {
        EXPECT_TRUE(fs::is_symlink(folder.file(link))) << link;
        EXPECT_EQ(fs::read_symlink(folder.file(link)).string(), named) << link;
    }
    EXPECT_FALSE(fs::exists(folder.file("missing")));
    for (const char* name : {"open", "locked"})
        EXPECT_THAT(testsupport::namesStartingWith(folder.file(name), "."), IsEmpty()) << name;
}

// On a read-only file system a save says so once: closing a file cannot help.
TEST_F(DesignFiles, ASaveOnAReadOnlyFileSystemSaysSoOnce)
{
    std::filesystem::create_directory(folder.file("ro"));
    writeFile("ro/pair.cnd", defaultDesign);
    const std::string existing = folder.file("ro/pair.cnd").string();
    const std::string fresh = folder.file("ro/new.cnd").string();
    start(existing);
    text("frmMain", "txtNumTeeth", 0).setText(QStringLiteral("21"));
    const auto told = folder.file("told.txt");
    const int result = withReadOnlyFolder(folder.file("ro"), [&] {
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        dialogs.answerFile(QString::fromStdString(fresh));
        const bool saved = files->FileSave() || files->FileSaveAs();
        std::ofstream out(told, std::ios::binary);
        for (const auto& request : messages())
            out << request.title.toStdString() << "|" << request.text.toStdString() << "\n";
        return saved ? 1 : 0;
    });
    if (result == 77)
        GTEST_SKIP() << "no read-only mount can be made here";
    EXPECT_EQ(result, 0);
    const std::string readOnly = "\r\nError 70: Permission denied\r\nThe file system is read-only: the design "
                                 "was not saved.\n";
    EXPECT_EQ(fileText(told), "Permission denied|" + existing + readOnly + "Permission denied|" + fresh + readOnly);
    EXPECT_EQ(fileText(existing), defaultDesign);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_THAT(testsupport::namesStartingWith(folder.file("ro"), "."), IsEmpty());
}

TEST_F(DesignFiles, AFileDialogThatFailsIsToldWithItsNumberAndTextApart)
{
    start();
    dialogs.setRaiseOnFailure(true); // the file dialog, unanswered, fails
    dialogs.answerEveryMessageBox(dialogs::ButtonOK);
    EXPECT_FALSE(files->FileSaveAs());
    ASSERT_EQ(messages().size(), 1u);
    const std::string told = messages()[0].text.toStdString();
    EXPECT_TRUE(told.starts_with("Error# 5: ")) << told;
    EXPECT_TRUE(told.ends_with(", continuing ....")) << told;
}
