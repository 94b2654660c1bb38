#include "StartedProgram.h"

#include "analyses/AnalysisReport.h"
#include "analyses/ContactAnalyses.h"
#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"
#include "runtime/RuntimeError.h"
#include "support/ChildProcess.h"
#include "support/FifoWatchdog.h"
#include "support/FolderNames.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>

#include <gmock/gmock.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <regex>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Whether `expected` appear in `lines` in this order (other lines between them allowed).
bool inOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    auto at = lines.begin();
    for (const std::string& text : expected) {
        at = std::find_if(at, lines.end(), [&](const std::string& line) {
            const std::size_t comma = line.find(", ");
            return comma != std::string::npos && line.substr(comma + 2) == text;
        });
        if (at == lines.end())
            return false;
        ++at;
    }
    return true;
}

TEST_F(StartedProgram, TheDisclaimerShowsTheVersionAndOnlyTheRunNotesChoice)
{
    startup->Main();
    forms::Form& disclaimer = window("frmDisclaimer");
    EXPECT_TRUE(disclaimer.visible());
    EXPECT_EQ(disclaimer.caption(), "Cindrel Disclaimer:");
    EXPECT_EQ(disclaimer.get<forms::Label>(QStringLiteral("Label2")).caption(), "Cindrel Version: 1.0.0");
    EXPECT_TRUE(disclaimer.get<forms::CheckBox>(QStringLiteral("chkDebugMode")).visible());
    EXPECT_EQ(disclaimer.get<forms::CheckBox>(QStringLiteral("chkDebugMode")).checkValue(), 0);
    EXPECT_FALSE(disclaimer.get<forms::CheckBox>(QStringLiteral("chkWriteRunNotes2File")).visible());
    EXPECT_EQ(disclaimer.get<forms::CheckBox>(QStringLiteral("chkWriteRunNotes2File")).checkValue(), 1);
}

TEST_F(StartedProgram, AgreeingWithRunNotesStartsEverythingInOrderAndLogsIt)
{
    answerDisclaimer(true, true);
    EXPECT_THAT(exitCodes, IsEmpty());
    EXPECT_FALSE(startup->windows().isLoaded(QStringLiteral("frmDisclaimer")));
    EXPECT_TRUE(window("frmMisc").visible());
    EXPECT_TRUE(window("frmMain").visible());
    EXPECT_TRUE(window("frmScreenOutput").visible());
    EXPECT_FALSE(window("frmAGMA").visible());
    EXPECT_FALSE(window("frmMFGOutputs").visible());
    EXPECT_FALSE(window("frmMain").get<forms::CommandButton>(QStringLiteral("cmdPrevious")).visible());
    EXPECT_EQ(window("frmMain").get<forms::Label>(QStringLiteral("lblLengthUnits"), 0).caption(), "(in) ");
    EXPECT_EQ(window("frmMain").get<forms::Label>(QStringLiteral("lblTempUnits"), 0).caption(), "(\u00B0F) ");
    EXPECT_EQ(startup->units().LengthFactor, 1.0);
    ASSERT_NE(startup->gobjRegisty(), nullptr);
    ASSERT_NE(startup->Oset(), nullptr);
    ASSERT_NE(startup->gobjColData(), nullptr);

    const std::vector<std::string> lines = runLogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1, Cindrel Version: 1.0.0");
    EXPECT_EQ(lines[1], "2, Going to load clsRegistry");
    EXPECT_TRUE(inOrder(lines, {"Going to load clsRegistry", "Loading API access registry Class T_RegistryIO",
                                "Software\\Tesmark\\Cindrel\\", "Loading Oset", "T_scoring initializing",
                                "Going to load AGMA Form", "in frmAGMA_Form_Load",
                                // The AGMA window opens where the main window stands: it loads it first.
                                "frmMain Form_Load", "frmMain Loaded.", "Going to fill Tree-View with materials",
                                "Loaded AGMA form, Going to load Main Form, MSCOMCTL.OCX, olch2x32.ocx ",
                                "Going to load Manufacturing Outputs Form, VSPrint7.OCX, MSHFLXGD.OCX",
                                "Loading Ouputs Class", "Loading Ouputs Form, Showing", "Loading StateNavigator",
                                " Loading: T-colData."}));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].substr(0, lines[i].find(',')), std::to_string(i + 1)) << "numbered without gaps";

    const std::string file = fileText(programFolder() / "RunNotes.dat");
    EXPECT_TRUE(std::regex_search(file, std::regex("^#\\d{4}-\\d{2}-\\d{2}#,#\\d{2}:\\d{2}:\\d{2}#\r\n"
                                                   "\"1, Cindrel Version: 1.0.0\"\r\n"
                                                   "\"2, Going to load clsRegistry\"\r\n")));
    EXPECT_NE(file.find(",  Loading: T-colData.\"\r\n"), std::string::npos);
}

TEST_F(StartedProgram, WithoutRunNotesNothingIsLoggedAndTheFileHoldsOnlyItsDate)
{
    answerDisclaimer(true, false);
    EXPECT_TRUE(window("frmMain").visible());
    EXPECT_FALSE(window("frmMisc").visible());
    EXPECT_EQ(startup->runLog().RunNoteCount(), 0);
    EXPECT_TRUE(runLogLines().empty());
    EXPECT_TRUE(std::regex_match(fileText(programFolder() / "RunNotes.dat"),
                                 std::regex("#\\d{4}-\\d{2}-\\d{2}#,#\\d{2}:\\d{2}:\\d{2}#\r\n")));
}

// What escapes a menu, a button or a timer of the running program is shown
// to the user, run notes or not, is kept in the run log when there is one,
// and the program serves the next event.
TEST_F(StartedProgram, ErrorsEscapingHandlersAreShownAndTheProgramGoesOn)
{
    for (const bool runNotes : {false, true}) {
        SCOPED_TRACE(runNotes ? "with run notes" : "without run notes");
        if (runNotes) {
            // The same error again within a second is shown once: let the
            // first round's boxes age out.
            QTest::qWait(1100);
            startup.reset();
            startup = std::make_unique<cindrel::shell::Startup>(*store, [this](int code) { exitCodes.push_back(code); });
        }
        answerDisclaimer(true, runNotes);
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        forms::Form& main = window("frmMain");
        auto& item = main.add<forms::MenuItem>({QStringLiteral("mnuFailing")});
        auto& button = main.add<forms::CommandButton>({QStringLiteral("cmdFailing")});
        auto& timer = main.add<forms::Timer>({QStringLiteral("tmrFailing")});
        int runs = 0;
        item.onClick.connect([&] {
            ++runs;
            runtime::raise(runtime::Overflow);
        });
        button.onClick.connect([&] {
            ++runs;
            throw 7;
        });
        timer.onTimer.connect([&] {
            timer.setEnabled(false);
            ++runs;
            runtime::raise(runtime::FileNotFound);
        });
        const std::size_t boxesBefore = dialogs.requestsOf<dialogs::MessageBoxRequest>().size();

        item.action()->trigger();
        static_cast<QAbstractButton*>(button.widget())->click();
        timer.setInterval(1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return runs == 3; }, 2000));
        QCoreApplication::processEvents();

        const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
        ASSERT_EQ(boxes.size(), boxesBefore + 3);
        EXPECT_TRUE(boxes[boxesBefore].text.startsWith(QStringLiteral("Error 6: Overflow")));
        EXPECT_TRUE(boxes[boxesBefore + 1].text.startsWith(QStringLiteral("Error 5: ")));
        EXPECT_TRUE(boxes[boxesBefore + 2].text.startsWith(QStringLiteral("Error 53: File not found")));
        const std::vector<std::string> lines = runLogLines();
        const bool logged = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.ends_with("Error in module; Startup, routine; Click, Error#; 6, Description; Overflow");
        });
        EXPECT_EQ(logged, runNotes);

        item.action()->trigger();
        EXPECT_EQ(runs, 4);
        EXPECT_TRUE(exitCodes.empty());
        EXPECT_TRUE(main.visible());
    }
}

TEST_F(StartedProgram, DisagreeingEndsTheProgramWithNothingStarted)
{
    answerDisclaimer(false, true);
    EXPECT_THAT(exitCodes, ElementsAre(0));
    EXPECT_EQ(startup->gobjRegisty(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(programFolder() / "RunNotes.dat"));
}

TEST_F(StartedProgram, ClosingTheDisclaimerEndsTheProgram)
{
    startup->Main();
    window("frmDisclaimer").unload(forms::UnloadReason::FormControlMenu);
    EXPECT_THAT(exitCodes, ElementsAre(0));
    EXPECT_EQ(startup->gobjRegisty(), nullptr);
}

// Run notes that can be written in neither place do not stop the start:
// the program runs without the file, says once where the notes could not
// go, and keeps them in its window.
TEST_F(StartedProgram, RunNotesThatCanGoNowhereLeaveTheProgramRunning)
{
    const auto inProgram = programFolder() / "RunNotes.dat";
    const auto inUser = folder.file("user") / "RunNotes.dat";
    for (const bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "FIFOs" : "folders");
        std::filesystem::remove_all(inProgram);
        std::filesystem::remove_all(folder.file("user"));
        std::filesystem::create_directories(folder.file("user"));
        for (const auto& path : {inProgram, inUser}) {
            if (fifo)
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            else
                std::filesystem::create_directory(path);
        }
        testsupport::FifoWatchdog programWatchdog(inProgram), userWatchdog(inUser);
        exitCodes.clear();
        startup.reset();
        startup = std::make_unique<cindrel::shell::Startup>(*store, [this](int code) { exitCodes.push_back(code); });
        const std::size_t boxesBefore = dialogs.requestsOf<dialogs::MessageBoxRequest>().size();
        dialogs.answerMessageBox(dialogs::ButtonOK);
        answerDisclaimer(true, true);

        EXPECT_THAT(exitCodes, IsEmpty());
        EXPECT_TRUE(window("frmMain").visible());
        EXPECT_NE(startup->gobjColData(), nullptr);
        const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
        ASSERT_EQ(boxes.size(), boxesBefore + 1);
        const std::string told = boxes.back().text.toStdString();
        EXPECT_EQ(boxes.back().icon, dialogs::IconExclamation);
        EXPECT_NE(told.find("Cannot write the file " + inProgram.string()), std::string::npos) << told;
        EXPECT_NE(told.find("Cannot write the file " + inUser.string()), std::string::npos) << told;
        const std::vector<std::string> lines = runLogLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[1], "2, Run notes cannot be written to " + inProgram.string() + " nor to " + inUser.string() +
                                "; they are kept in this window only");

        // Later errors go to the window without another word about the file.
        startup->MainErrHandler("T_Set", "C", "6", "Overflow", "");
        EXPECT_EQ(dialogs.requestsOf<dialogs::MessageBoxRequest>().size(), boxesBefore + 1);
        EXPECT_EQ(lines.size() + 1, runLogLines().size());
        for (const auto& path : {inProgram, inUser})
            EXPECT_EQ(std::filesystem::status(path).type(),
                      fifo ? std::filesystem::file_type::fifo : std::filesystem::file_type::directory);
        EXPECT_THAT(testsupport::namesStartingWith(programFolder(), ".RunNotes"), IsEmpty());
        EXPECT_FALSE(programWatchdog.fired() || userWatchdog.fired()) << "a FIFO was opened";
        startup.reset();
    }
}

namespace {

const std::string EarlierLog = "#2026-01-01#,#00:00:00#\r\n\"1, Cindrel Version: 1.0.0\"\r\n";

// What the start in prepared folders is told, through its environment.
constexpr const char* PreparedProgram = "CINDREL_TEST_PREPARED_PROGRAM";
constexpr const char* PreparedUser = "CINDREL_TEST_PREPARED_USER";
constexpr const char* PreparedReason = "CINDREL_TEST_PREPARED_REASON";
constexpr const char* PreparedDone = "CINDREL_TEST_PREPARED_DONE";

} // namespace

// A read-only program folder and a per-user folder that cannot be written,
// and a file system with no room left: the program starts, says once that
// the notes could not be written and why, and the earlier log keeps every
// byte. The start runs in a fresh process of this test program inside the
// mounts (a forked copy of a process that painted may wait for good on its
// painting threads).
TEST_F(StartedProgram, RunNotesThatCannotBeWrittenKeepTheEarlierLog)
{
    struct Case {
        const char* what;
        bool full; // a full file system, else a read-only one
        const char* reason;
    };
    for (const Case c : {Case{"read-only", false, "Permission denied"}, Case{"full", true, "Disk full"}}) {
        SCOPED_TRACE(c.what);
        const auto place = folder.file(c.what);
        std::filesystem::create_directories(place);
        const std::string where = place.string();
        const auto program = place / "program";
        const auto user = place / "user";
        const auto done = folder.file(std::string(c.what) + ".done");
        const auto prepare = [&] {
            std::filesystem::create_directories(program);
            std::filesystem::create_directories(user);
            std::filesystem::copy_file(CINDREL_DEFAULT_DESIGN, program / "Cindrel.def");
            for (const auto& log : {program / "RunNotes.dat", user / "RunNotes.dat"})
                std::ofstream(log, std::ios::binary) << EarlierLog;
        };
        const auto mounts = [&] {
            if (c.full) {
                if (::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") != 0)
                    return false;
                prepare();
                // Every block taken.
                std::ofstream filler(place / "filler", std::ios::binary);
                const std::string block(4096, 'f');
                while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
                }
                return true;
            }
            prepare();
            return ::mount(where.c_str(), where.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                   ::mount(nullptr, where.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        };
        const int result = testsupport::withOwnMounts(mounts, [&] {
            ::setenv(PreparedProgram, program.c_str(), 1);
            ::setenv(PreparedUser, user.c_str(), 1);
            ::setenv(PreparedReason, c.reason, 1);
            ::setenv(PreparedDone, done.c_str(), 1);
            const char* arguments[] = {"/proc/self/exe",
                                       "--gtest_filter=StartedProgram.DISABLED_StartsInPreparedFolders",
                                       "--gtest_also_run_disabled_tests", nullptr};
            ::execv(arguments[0], const_cast<char* const*>(arguments));
            return 127;
        });
        if (result == 77)
            GTEST_SKIP() << "this system allows no mount namespace of a test's own";
        EXPECT_EQ(result, 0) << "see the start's failures above";
        EXPECT_EQ(fileText(done), "started") << "the start in the prepared folders ran to its end";
    }
}

// Run only by the test above, in the folders it prepared.
TEST_F(StartedProgram, DISABLED_StartsInPreparedFolders)
{
    const char* programText = std::getenv(PreparedProgram);
    ASSERT_NE(programText, nullptr) << "run by RunNotesThatCannotBeWrittenKeepTheEarlierLog only";
    const std::filesystem::path program = programText;
    const std::filesystem::path user = std::getenv(PreparedUser);
    const std::string reason = std::getenv(PreparedReason);
    shellservices::setProgramFolderOverride(QString::fromStdString(program.string()));
    shellservices::setUserDataFolderOverride(QString::fromStdString(user.string()));
    dialogs.answerMessageBox(dialogs::ButtonOK);
    answerDisclaimer(true, true);
    EXPECT_THAT(exitCodes, IsEmpty());
    EXPECT_TRUE(window("frmMain").visible());
    EXPECT_NE(startup->gobjColData(), nullptr);
    const auto boxes = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string told = boxes[0].text.toStdString();
    for (const auto& log : {program / "RunNotes.dat", user / "RunNotes.dat"}) {
        EXPECT_NE(told.find("Cannot write the file " + log.string() + ": " + reason), std::string::npos) << told;
        EXPECT_EQ(fileText(log), EarlierLog);
    }
    EXPECT_THAT(testsupport::namesStartingWith(program, ".RunNotes"), IsEmpty());
    EXPECT_THAT(testsupport::namesStartingWith(user, ".RunNotes"), IsEmpty());
    if (!HasFailure())
        std::ofstream(std::getenv(PreparedDone)) << "started";
}

TEST_F(StartedProgram, ShutDownStoresEveryLoadedWindowAndReleasesEverything)
{
    answerDisclaimer(true, false);
    window("frmMain").move(1500, 900);
    startup->gobjRegisty()->RUF_AddFile2Coll("/d/pair.cnd");
    window("frmMain").unload(forms::UnloadReason::FormControlMenu);
    EXPECT_THAT(exitCodes, ElementsAre(0));
    EXPECT_EQ(startup->gobjRegisty(), nullptr);
    EXPECT_EQ(startup->Oset(), nullptr);

    cindrel::shell::RunNotes quiet;
    cindrel::shell::clsRegisty settings(quiet, *store, "");
    const cindrel::shell::WindowPlacement main = settings.GetWindowPosition("frmMain", {});
    EXPECT_EQ(main.left, 1500);
    EXPECT_EQ(main.top, 900);
    for (const char* name : {"frmMisc", "frmAGMA", "frmMFGOutputs", "frmScreenOutput"})
        EXPECT_NE(settings.GetWindowPosition(name, {0, 0, 1, 1, 0}).width, 1) << name << " stored at shut-down";
    EXPECT_THAT(settings.RecentFiles(), ElementsAre("/d/pair.cnd"));
}

// The factors window outlives the other windows, so its place is kept by the
// shut-down while it is still loaded: where the user left it, shown or not.
TEST_F(StartedProgram, ShutDownKeepsTheFactorsWindowWhereTheUserLeftIt)
{
    answerDisclaimer(true, false);
    window("frmAGMA").show();
    window("frmAGMA").move(1200, 1335);
    window("frmAGMA").hide();
    window("frmMain").unload(forms::UnloadReason::FormControlMenu);
    EXPECT_THAT(exitCodes, ElementsAre(0));

    cindrel::shell::RunNotes quiet;
    cindrel::shell::clsRegisty settings(quiet, *store, "");
    const cindrel::shell::WindowPlacement agma = settings.GetWindowPosition("frmAGMA", {});
    EXPECT_EQ(agma.left, 1200);
    EXPECT_EQ(agma.top, 1335);
    EXPECT_GT(agma.width, 0);
    EXPECT_GT(agma.height, 0);
}

TEST_F(StartedProgram, MetricUnitsRelabelTheMainWindowAndReachTheModel)
{
    answerDisclaimer(true, false);
    startup->SetUnitSystem(true);
    EXPECT_EQ(window("frmMain").get<forms::Label>(QStringLiteral("lblLengthUnits"), 0).caption(), "(mm) ");
    EXPECT_EQ(window("frmMain").get<forms::Label>(QStringLiteral("lblPressureUnits"), 0).caption(), "(MPa) ");
    EXPECT_EQ(window("frmMain").get<forms::Label>(QStringLiteral("lblRMSUnits"), 0).caption(), "(Ra) ");
    EXPECT_EQ(startup->modelShell().LengthFactor(), 25.4);
    EXPECT_TRUE(startup->modelShell().MetricUnits());
    startup->SetUnitSystem(false);
    EXPECT_EQ(startup->modelShell().PressureFactor(), 1.0);
}

TEST_F(StartedProgram, TheModelReadsTheMainWindowAndWritesFilesWhole)
{
    answerDisclaimer(true, false);
    auto& shell = startup->modelShell();
    window("frmMain").get<forms::Label>(QStringLiteral("lblToothOrient")).setCaption(QStringLiteral("1"));
    EXPECT_EQ(shell.toothOrientation(), 1.0);
    EXPECT_EQ(shell.activeFileName(false, false), "Cindrel");
    EXPECT_EQ(shell.programFolder(), programFolder().string());

    const auto report = programFolder() / "pair_Scoring.CSV";
    { std::ofstream(report) << "old report\r\n"; }
    {
        auto out = shell.openOutputFile(report.string());
        ASSERT_NE(out, nullptr);
        *out << "\"new\",1\r\n";
        out->flush();
        EXPECT_EQ(fileText(report), "old report\r\n") << "the old file stays until the new one is complete";
        EXPECT_EQ(runtime::commitOutput(*out), 0);
    }
    EXPECT_EQ(fileText(report), "\"new\",1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(programFolder()), {}), 3)
        << "no temporary file is left beside RunNotes.dat, the default design and the report";

    dialogs.answerMessageBox(dialogs::ButtonOK);
    EXPECT_EQ(shell.openOutputFile((programFolder() / "missing" / "x.csv").string()), nullptr);
    EXPECT_EQ(dialogs.requestsOf<dialogs::MessageBoxRequest>().size(), 1u);
}

TEST_F(StartedProgram, AReportThatCannotBeWrittenIsToldAsAFailedOpenIs)
{
    answerDisclaimer(true, false);
    const auto report = programFolder() / "pair_Scoring.CSV";
    { std::ofstream(report) << "old report\r\n"; }
    // A process that may not grow a file past 100 bytes meets a full disk at the report's write.
    const int told = testsupport::inChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, 100};
        setrlimit(RLIMIT_FSIZE, &small);
        dialogs.answerEveryMessageBox(dialogs::ButtonOK);
        cindrel::analyses::AnalysisReport file;
        file.start(report.string());
        for (int row = 0; row < 20; ++row)
            file.record("scoring row", row);
        if (file.save(startup->modelShell(), "T_Scoring", "Report"))
            return 1;
        const auto messages = dialogs.requestsOf<dialogs::MessageBoxRequest>();
        return messages.size() == 1 && messages[0].text.toStdString() == "Cannot write the file " + report.string() + ": Device I/O error"
                   ? 0
                   : 2;
    });
    EXPECT_EQ(told, 0);
    EXPECT_EQ(fileText(report), "old report\r\n");
}

TEST_F(StartedProgram, RecentFilesAppearOnTheFileMenuAndOpenFromIt)
{
    answerDisclaimer(true, true);
    startup->gobjRegisty()->RUF_AddFile2Coll("/designs/pair one.cnd");
    startup->gobjRegisty()->RUF_AddFile2Coll("/designs/pair two.cnd");
    forms::Form& main = window("frmMain");
    EXPECT_EQ(main.arrayIndexes(QStringLiteral("mnuFileRecent")), (std::vector<int>{0, 1, 2}));
    auto& second = main.get<forms::MenuItem>(QStringLiteral("mnuFileRecent"), 2);
    EXPECT_EQ(second.caption(), "2;   pair one.cnd");
    dialogs.answerMessageBox(dialogs::ButtonOK);
    second.click();
    const auto messages = dialogs.requestsOf<dialogs::MessageBoxRequest>();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "/designs/pair one.cnd path not found") << "the design file object opened it";
}

} // namespace

namespace {

TEST_F(StartedProgram, AProgramFolderThatMayNotBeWrittenSendsRunNotesToTheUsersFolder)
{
    const auto readOnly = folder.file("not-a-folder");
    std::ofstream(readOnly) << "";
    shellservices::setProgramFolderOverride(QString::fromStdString(readOnly.string()));
    dialogs.answerMessageBox(dialogs::ButtonOK); // no default design there
    answerDisclaimer(true, true);
    const auto notesFile = folder.file("user") / "RunNotes.dat";
    EXPECT_EQ(startup->runLog().RunNotesPath, notesFile.string());
    EXPECT_NE(fileText(notesFile).find("\"2, The program folder may not be written; run notes go to " +
                                       notesFile.string() + "\""),
              std::string::npos);
    EXPECT_EQ(startup->gobjRegisty()->UserFilesLocation(), (folder.file("user") / "outputs").string() + "/");
}

TEST_F(StartedProgram, ARunNotesNameTakenByAFifoOrFolderSendsRunNotesToTheUsersFolder)
{
    struct Case {
        const char* what;
        bool fifo;
        bool showRunNotes;
    };
    for (const Case c : {Case{"a FIFO, notes off", true, false}, Case{"a FIFO, notes on", true, true},
                         Case{"a folder, notes off", false, false}, Case{"a folder, notes on", false, true}}) {
        const auto taken = programFolder() / "RunNotes.dat";
        std::filesystem::remove(taken);
        std::filesystem::remove(folder.file("user") / "RunNotes.dat");
        if (c.fifo)
            ASSERT_EQ(::mkfifo(taken.c_str(), 0600), 0);
        else
            std::filesystem::create_directory(taken);
        exitCodes.clear();
        startup.reset();
        startup = std::make_unique<cindrel::shell::Startup>(*store, [this](int code) { exitCodes.push_back(code); });
        answerDisclaimer(true, c.showRunNotes);
        EXPECT_THAT(exitCodes, IsEmpty()) << c.what;
        EXPECT_TRUE(dialogs.requestsOf<dialogs::MessageBoxRequest>().empty()) << c.what;
        const auto notesFile = folder.file("user") / "RunNotes.dat";
        EXPECT_EQ(startup->runLog().RunNotesPath, notesFile.string()) << c.what;
        const std::string where =
            taken.string() + " is not a plain file that may be written; run notes go to " + notesFile.string();
        EXPECT_EQ(fileText(notesFile).find(where) != std::string::npos, c.showRunNotes) << c.what;
        startup.reset();
    }
}

} // namespace

namespace {

TEST_F(StartedProgram, WindowsComeBackInTheStateTheyWereSavedIn)
{
    {
        cindrel::shell::RunNotes quiet;
        cindrel::shell::clsRegisty settings(quiet, *store, "");
        settings.SaveWindowPosition("frmScreenOutput", {300, 450, 6000, 4000, 2});
    }
    answerDisclaimer(true, false);
    EXPECT_EQ(window("frmScreenOutput").windowState(), forms::WindowState::Maximized);
    window("frmScreenOutput").setWindowState(forms::WindowState::Normal);
    EXPECT_EQ(window("frmScreenOutput").left(), 300);
    EXPECT_EQ(window("frmScreenOutput").width(), 6000);
}

} // namespace

namespace {

TEST_F(StartedProgram, ThePairHoldsTheRealContactAnalyses)
{
    answerDisclaimer(true, false);
    EXPECT_NO_THROW(cindrel::analyses::deflectionOf(*startup->Oset()));
    EXPECT_NO_THROW(cindrel::analyses::scoringOf(*startup->Oset()));
}

} // namespace
