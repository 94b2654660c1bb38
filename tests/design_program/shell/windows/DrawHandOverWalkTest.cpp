#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/ComboBox.h"
#include "forms/MenuItem.h"

#include <QElapsedTimer>
#include <QThread>

#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using ::testing::IsEmpty;

// A drawing program this process started, or adopted after it was started
// detached.
struct DrawingProcess {
    int pid;
    char state; // 'Z' for one ended and not yet reaped
};

// The design program in this process with the real drawing program in its
// program folder: Draw starts it as a child with a private channel, Launch
// Vantrope starts it detached. This process adopts the detached ones, so
// every drawing program left running or unreaped shows up as a child.
class DrawHandOverWalk : public WalkedProgram {
protected:
    void SetUp() override
    {
        const std::string root = folder.path().string();
        // The drawing programs keep their settings in the test's folder.
        for (const auto& [name, value] : {std::pair{"GEARSUITE_REGISTRY", root + "/registry-vantrope.sqlite3"},
                                          std::pair{"XDG_DATA_HOME", root + "/data"},
                                          std::pair{"XDG_CONFIG_HOME", root + "/config"},
                                          std::pair{"QT_QPA_PLATFORM", std::string("offscreen")}}) {
            const char* previous = std::getenv(name);
            savedEnvironment.emplace_back(name, previous ? std::optional<std::string>(previous) : std::nullopt);
            ::setenv(name, value.c_str(), 1);
        }
        std::filesystem::create_symlink(VANTROPE_EXECUTABLE, programFolder() / "vantrope");
        ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        // The drawing programs write their log in the current folder, the test's.
        WalkedProgram::SetUp();
    }

    void TearDown() override
    {
        // Whatever happened, no drawing program outlives the test.
        startup.reset();
        for (const DrawingProcess& process : drawingPrograms()) {
            ::kill(process.pid, SIGKILL);
            ::waitpid(process.pid, nullptr, 0);
        }
        ::prctl(PR_SET_CHILD_SUBREAPER, 0);
        for (const auto& [name, value] : savedEnvironment)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        WalkedProgram::TearDown();
    }

    // The drawing programs that are children of this process, running or not reaped.
    static std::vector<DrawingProcess> drawingPrograms()
    {
        std::vector<DrawingProcess> found;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::ifstream in(entry.path() / "stat");
            std::string stat;
            if (!std::getline(in, stat))
                continue;
            const auto open = stat.find('(');
            const auto close = stat.rfind(')');
            if (open == std::string::npos || close == std::string::npos || close + 4 >= stat.size())
                continue;
            char state = 0;
            int parent = 0;
            std::istringstream rest(stat.substr(close + 2));
            rest >> state >> parent;
            if (parent == ::getpid() && stat.substr(open + 1, close - open - 1) == "vantrope")
                found.push_back({std::stoi(stat.substr(0, open)), state});
        }
        return found;
    }

    // Polls until the condition holds; false after a minute.
    static bool waitFor(const std::function<bool()>& condition)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > 60000)
                return false;
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        return true;
    }

    std::string log() const { return fileText(folder.file("Vantrope.log")); }

    static std::size_t count(const std::string& text, const std::string& part)
    {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
            ++n;
        return n;
    }

    // The teeth and base radius of an element, from the last launch in the log.
    static void expectElement(const std::string& log, int element, int teeth, double baseRadius)
    {
        const auto launch = log.rfind("LaunchDrawings");
        ASSERT_NE(launch, std::string::npos) << "nothing was drawn";
        const std::string line = log.substr(launch, log.find('\n', launch) - launch);
        const std::regex pattern("element " + std::to_string(element) + " N (-?[0-9]+) Rb ([-0-9.e+]+)");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(line, match, pattern)) << element << ": " << line;
        EXPECT_EQ(std::stoi(match[1]), teeth) << element;
        EXPECT_NEAR(std::stod(match[2]), baseRadius, 1e-9 * baseRadius) << element;
    }

    void choose(const char* menu)
    {
        auto& item = main().get<forms::MenuItem>(QString::fromLatin1(menu));
        ASSERT_TRUE(item.visible()) << menu << " is hidden on " << current();
        item.click();
        QCoreApplication::processEvents();
    }

    // The one drawing program running, once it has drawn the launch'th time.
    int drawnBy(std::size_t launch)
    {
        EXPECT_TRUE(waitFor([&] { return count(log(), "LaunchDrawings") >= launch; })) << log();
        const auto running = drawingPrograms();
        EXPECT_EQ(running.size(), 1u);
        return running.empty() ? 0 : running.front().pid;
    }

    // The design program's end ends every drawing program it started, by
    // itself, and reaps it.
    void exitAndExpectNoDrawingProgramLeft(std::size_t ended, bool designChanged = false)
    {
        if (designChanged)
            dialogs.answerMessageBox(dialogs::ButtonNo); // not saved
        choose("mnuFileExit");
        EXPECT_THAT(exitCodes, ::testing::ElementsAre(0));
        EXPECT_TRUE(waitFor([] { return drawingPrograms().empty(); })) << "a drawing program left running or unreaped";
        EXPECT_EQ(count(log(), "\"Ending program......\""), ended) << "killed rather than ended:\n" << log();
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment;
};

TEST_F(DrawHandOverWalk, DrawHandsTheDefaultPairOverAndASecondDrawReplacesTheDrawingProgram)
{
    next();
    press(main(), "cmdFinished");
    choose("mnuDraw");
    const int first = drawnBy(1);
    // Base radius N/2 cos 20 degrees in units of one diametral pitch, worked by hand.
    expectElement(log(), 2, 20, 9.396926207859085);
    expectElement(log(), 3, 40, 18.79385241571817);
    EXPECT_THAT(dialogs.requests(), IsEmpty()) << "the hand-over failed";

    choose("mnuDraw");
    const int second = drawnBy(2);
    EXPECT_NE(second, first) << "a new drawing program for the second Draw";
    expectElement(log(), 2, 20, 9.396926207859085);
    EXPECT_EQ(count(log(), "\"Ending program......\""), 1u) << "the first was ended, not killed";
    EXPECT_THAT(dialogs.requests(), IsEmpty());

    exitAndExpectNoDrawingProgramLeft(2, true);
}

TEST_F(DrawHandOverWalk, HelicalMetricPairTravelsInItsTransversePlane)
{
    next();
    auto& metric = main().get<forms::CheckBox>(QStringLiteral("chkMetricUnits"));
    metric.setCheckValue(1);
    main().get<forms::TextBox>(QStringLiteral("txtNumTeeth"), 0).setText(QStringLiteral("21"));
    main().get<forms::TextBox>(QStringLiteral("txtNumTeeth"), 1).setText(QStringLiteral("43"));
    main().get<forms::TextBox>(QStringLiteral("txtFaceWidth"), 0).setText(QStringLiteral("25"));
    main().get<forms::TextBox>(QStringLiteral("txtFaceWidth"), 1).setText(QStringLiteral("25"));
    main().get<forms::ComboBox>(QStringLiteral("cmbToothOrient")).setListIndex(1);
    main().get<forms::ComboBox>(QStringLiteral("cmbHAHowMeasured")).setListIndex(0);
    main().get<forms::TextBox>(QStringLiteral("txtHelixAngleDEG")).setText(QStringLiteral("15"));
    // Normal pressure angle 20 degrees, normal module 3.
    main().get<forms::ComboBox>(QStringLiteral("cmbPAHowMeasured")).setListIndex(0);
    main().get<forms::ComboBox>(QStringLiteral("cmbPAPlane")).setListIndex(0);
    main().get<forms::TextBox>(QStringLiteral("txtPADeg")).setText(QStringLiteral("20"));
    main().get<forms::ComboBox>(QStringLiteral("cmbDPPlane")).setListIndex(0);
    main().get<forms::TextBox>(QStringLiteral("txtDP")).setText(QStringLiteral("3"));
    // Draw is offered once the tooth proportions are done.
    for (int step = 0; step < 4; ++step)
        next();
    for (const auto& asked : dialogs.requestsOf<dialogs::MessageBoxRequest>())
        ADD_FAILURE() << "asked on the way to " << current() << ": " << asked.text.toStdString();

    choose("mnuDraw");
    drawnBy(1);
    // Transverse pressure angle atan(tan 20 / cos 15) = 20.6469 degrees; the
    // base radius N/2 cos of it, in units of one transverse pitch, so the
    // module does not enter. The normal angle would give 9.8668 for the pinion.
    expectElement(log(), 2, 21, 9.825598025214779);
    expectElement(log(), 3, 43, 20.11908167067788);
    EXPECT_THAT(dialogs.requests(), IsEmpty());

    exitAndExpectNoDrawingProgramLeft(1, true);
}

TEST_F(DrawHandOverWalk, LaunchVantropeStartsThePlainProgramThatEndsOnATerminationSignal)
{
    choose("mnuLaunchVT");
    EXPECT_THAT(dialogs.requests(), IsEmpty());
    // Adopted once its starter has let go of it; up once it has begun its log.
    ASSERT_TRUE(waitFor([this] { return drawingPrograms().size() == 1 && log().find("Sub Main") != std::string::npos; }))
        << drawingPrograms().size() << " drawing programs; log:\n" << log();
    const int pid = drawingPrograms().front().pid;
    EXPECT_EQ(log().find("clsExposeVantrope_Initialize"), std::string::npos) << "no design handed over";

    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    int status = 0;
    QElapsedTimer timer;
    timer.start();
    int reaped = 0;
    while ((reaped = ::waitpid(pid, &status, WNOHANG)) == 0 && timer.elapsed() < 60000)
        QThread::msleep(20);
    ASSERT_EQ(reaped, pid) << "still running a minute after the signal";
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(log().find("\"Ending program......\""), std::string::npos) << log();

    exitAndExpectNoDrawingProgramLeft(1);
}

} // namespace
