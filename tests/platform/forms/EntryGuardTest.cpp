#include "forms/CommandButton.h"
#include "forms/EntryGuard.h"
#include "forms/Form.h"
#include "forms/MenuItem.h"
#include "forms/Timer.h"

#include "dialogs/DialogProvider.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "runtime/RuntimeError.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace forms;

struct Logged {
    std::string where;
    int number;
    std::string description;
};

struct EntryGuardTest : ::testing::Test {
    dialogs::ScriptedDialogProvider provider;
    dialogs::ScopedDialogProvider installed{provider};
    std::vector<Logged> logged;
    Form form{QStringLiteral("frmMain")};

    EntryGuardTest()
    {
        provider.answerEveryMessageBox(dialogs::ButtonOK);
        setEntryErrorLog([this](std::string_view where, int number, std::string_view description) {
            logged.push_back({std::string(where), number, std::string(description)});
        });
    }
    ~EntryGuardTest() override { setEntryErrorLog({}); }

    std::vector<QString> shown() const
    {
        std::vector<QString> texts;
        for (const auto& request : provider.requestsOf<dialogs::MessageBoxRequest>()) {
            EXPECT_EQ(request.icon, dialogs::IconCritical);
            texts.push_back(request.text);
        }
        return texts;
    }
};

// Each way the user or the clock starts a handler, each kind of error: shown,
// logged with its number, and the next event is served as before.
TEST_F(EntryGuardTest, ErrorsOfMenusButtonsAndTimersAreShownLoggedAndTheProgramGoesOn)
{
    struct Case {
        const char* name;
        std::function<void()> raise;
        int number;
        std::string description;
    };
    const std::vector<Case> cases = {
        {"numbered", [] { runtime::raise(runtime::Overflow); }, 6, "Overflow"},
        {"standard", [] { throw std::runtime_error("the channel broke"); }, 5, "the channel broke"},
        {"allocation", [] { throw std::bad_alloc(); }, 7, "Out of memory"},
        {"any other type", [] { throw 42; }, 5, "Invalid procedure call or argument"},
    };
    auto& menu = form.add<MenuItem>({QStringLiteral("mnuFile")});
    auto& button = form.add<CommandButton>({QStringLiteral("cmdGo")});
    auto& timer = form.add<Timer>({QStringLiteral("tmrPoll")});
    const Case* current = nullptr;
    int runs = 0;
    const auto handler = [&] {
        ++runs;
        if (current != nullptr)
            current->raise();
    };
    menu.onClick.connect(handler);
    button.onClick.connect(handler);
    timer.onTimer.connect([&] {
        timer.setEnabled(false);
        handler();
    });

    const std::vector<std::pair<const char*, std::function<void()>>> entries = {
        {"Click", [&] { menu.action()->trigger(); }},
        {"Click", [&] { static_cast<QAbstractButton*>(button.widget())->click(); }},
        {"Timer",
         [&] {
             const int before = runs;
             timer.setInterval(1);
             timer.setEnabled(true);
             ASSERT_TRUE(QTest::qWaitFor([&] { return runs > before; }, 2000));
         }},
    };
    for (const auto& [where, fire] : entries) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(where) + ", " + c.name);
            logged.clear();
            const std::size_t shownBefore = shown().size();
            current = &c;
            fire();
            ASSERT_EQ(logged.size(), 1u);
            EXPECT_EQ(logged[0].where, where);
            EXPECT_EQ(logged[0].number, c.number);
            EXPECT_EQ(logged[0].description, c.description);
            ASSERT_EQ(shown().size(), shownBefore + 1);
            EXPECT_TRUE(shown().back().startsWith(
                QStringLiteral("Error %1: %2\n").arg(c.number).arg(QString::fromStdString(c.description))))
                << shown().back().toStdString();

            current = nullptr;
            const int before = runs;
            fire();
            EXPECT_EQ(runs, before + 1);
            EXPECT_EQ(logged.size(), 1u);
        }
    }
    EXPECT_TRUE(provider.failures().isEmpty());
}

// A timer that fails on every tick must not bury the user in boxes: the burst
// is shown once, and every tick still reaches the log.
TEST_F(EntryGuardTest, AnErrorRepeatedByATimerIsShownOnceAndLoggedEachTime)
{
    auto& timer = form.add<Timer>({QStringLiteral("tmrPoll")});
    int ticks = 0;
    timer.onTimer.connect([&] {
        ++ticks;
        runtime::raise(runtime::DivisionByZero);
    });
    timer.setInterval(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 5; }, 2000));
    timer.setEnabled(false);
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_EQ(logged.size(), std::size_t(ticks));
}

// Showing the error may fail too (no answer for the box): the guard still
// returns, and the log has the error.
TEST_F(EntryGuardTest, AFailureToShowTheErrorEndsNothing)
{
    dialogs::ScriptedDialogProvider unanswered;
    dialogs::ScopedDialogProvider installedUnanswered(unanswered);
    runGuarded("Signal", [] { runtime::raise(runtime::DiskFull); });
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].number, 61);
    EXPECT_EQ(unanswered.failures().size(), 1);
}

} // namespace
