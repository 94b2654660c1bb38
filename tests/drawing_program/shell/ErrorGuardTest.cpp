#include "ShellFixture.h"

#include "shell/AutomationSeam.h"

#include "forms/CommandButton.h"
#include "forms/Timer.h"
#include "runtime/RuntimeError.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>

#include <stdexcept>

#include <sys/socket.h>
#include <unistd.h>

using namespace vantropetest;

namespace {

// What escapes a handler of the drawing program is shown to the user and
// kept in the message window; the program serves the next event.
struct ErrorGuard : ShellTest {
    ErrorGuard() { dialogProvider.answerEveryMessageBox(dialogs::ButtonOK); }

    std::string messages() { return startup->messages().text(); }
    std::vector<QString> shown() const
    {
        std::vector<QString> texts;
        for (const auto& request : dialogProvider.requestsOf<dialogs::MessageBoxRequest>())
            texts.push_back(request.text);
        return texts;
    }
};

TEST_F(ErrorGuard, AMenuAButtonAndATimerThatRaiseAreShownAndLogged)
{
    forms::Form& window = gears().form();
    auto& item = window.add<forms::MenuItem>({QStringLiteral("mnuFailing")});
    auto& button = window.add<forms::CommandButton>({QStringLiteral("cmdFailing")});
    auto& timer = window.add<forms::Timer>({QStringLiteral("tmrFailing")});
    int runs = 0;
    item.onClick.connect([&] {
        ++runs;
        runtime::raise(runtime::Overflow);
    });
    button.onClick.connect([&] {
        ++runs;
        throw std::runtime_error("no pen for this colour");
    });
    timer.onTimer.connect([&] {
        timer.setEnabled(false);
        ++runs;
        runtime::raise(runtime::DivisionByZero);
    });

    item.action()->trigger();
    static_cast<QAbstractButton*>(button.widget())->click();
    timer.setInterval(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs == 3; }, 2000));

    const std::vector<QString> texts = shown();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Error 6: Overflow"))) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Error 5: no pen for this colour"))) << texts[1].toStdString();
    EXPECT_TRUE(texts[2].startsWith(QStringLiteral("Error 11: Division by zero"))) << texts[2].toStdString();
    for (const char* logged : {"Overflow", "no pen for this colour", "Division by zero"})
        EXPECT_NE(messages().find(logged), std::string::npos) << logged;

    // The program goes on: the next command runs as before.
    item.action()->trigger();
    EXPECT_EQ(runs, 4);
    EXPECT_EQ(endings, 0);
}

// A client that lets go ends the program; when ending fails, the user is
// told, and the program stays.
TEST(ErrorGuardAutomation, AFailureWhenTheClientLetsGoIsShown)
{
    MemoryStore store;
    store.values[{"Vantrope", "Logged", "Logged"}] = "0";
    dialogs::ScriptedDialogProvider provider;
    dialogs::ScopedDialogProvider installed(provider);
    provider.answerEveryMessageBox(dialogs::ButtonOK);
    vantrope::Startup startup(store, [](int) { runtime::raise(runtime::PermissionDenied); });
    startup.shellServices.PrinterPage = [] { return std::optional<QSizeF>(); };
    startup.Main();
    settle();

    int channel[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel), 0);
    std::unique_ptr<vantrope::AutomationSession> session = vantrope::serveAutomation(startup, channel[1]);
    ASSERT_NE(session, nullptr);
    ::close(channel[0]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !provider.requestsOf<dialogs::MessageBoxRequest>().empty(); }, 5000));
    EXPECT_TRUE(provider.requestsOf<dialogs::MessageBoxRequest>()[0].text.startsWith(
        QStringLiteral("Error 70: Permission denied")));
    session.reset();
}

} // namespace
