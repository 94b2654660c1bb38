#include "forms/EntryGuard.h"

#include "dialogs/DialogTypes.h"
#include "dialogs/MessageBox.h"
#include "runtime/RuntimeError.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <deque>
#include <utility>

namespace forms {

namespace {

// The same error again within this time (a timer's next tick, the next
// repaint) belongs to the same burst: logged, but not shown once more.
constexpr auto RepeatTime = std::chrono::seconds(1);

struct GuardState {
    EntryErrorLog log;
    bool showing = false;
    std::deque<QString> waiting;
    QString lastText;
    std::chrono::steady_clock::time_point lastSeen;
};

GuardState& state()
{
    static GuardState guard;
    return guard;
}

QString messageText(std::string_view where, const runtime::ErrorText& error)
{
    return QStringLiteral("Error %1: %2\n\nIt happened in: %3. That action was stopped; the program goes on.")
        .arg(error.number)
        .arg(QString::fromStdString(error.description), QString::fromUtf8(where.data(), qsizetype(where.size())));
}

void showBox(const QString& text)
{
    try {
        dialogs::messageBox(text, dialogs::OKOnly + dialogs::IconCritical);
    } catch (const std::exception& failure) {
        qWarning("Cannot show the error message \"%s\": %s", qPrintable(text), failure.what());
    } catch (...) {
        qWarning("Cannot show the error message \"%s\"", qPrintable(text));
    }
}

// One box at a time: an error that arrives while a box is open (from the
// box's own event loop) is shown after it.
void show(const QString& text)
{
    GuardState& guard = state();
    const auto now = std::chrono::steady_clock::now();
    const bool repeated = text == guard.lastText && now - guard.lastSeen < RepeatTime;
    guard.lastText = text;
    guard.lastSeen = now;
    if (repeated)
        return;
    if (guard.showing) {
        if (std::find(guard.waiting.begin(), guard.waiting.end(), text) == guard.waiting.end())
            guard.waiting.push_back(text);
        return;
    }
    guard.showing = true;
    struct Shown {
        ~Shown() { state().showing = false; }
    } shown;
    showBox(text);
    while (!guard.waiting.empty()) {
        const QString next = std::move(guard.waiting.front());
        guard.waiting.pop_front();
        showBox(next);
    }
}

} // namespace

void setEntryErrorLog(EntryErrorLog log) { state().log = std::move(log); }

void reportUnhandledError(std::string_view where, const std::exception_ptr& error) noexcept
{
    const runtime::ErrorText caught = runtime::errorTextOf(error);
    try {
        if (state().log)
            state().log(where, caught.number, caught.description);
        else
            qWarning("Error %d in %.*s: %s", caught.number, int(where.size()), where.data(), caught.description.c_str());
    } catch (...) {
        qWarning("Error %d could not be logged: %s", caught.number, caught.description.c_str());
    }
    try {
        show(messageText(where, caught));
    } catch (...) {
        qWarning("Error %d could not be shown: %s", caught.number, caught.description.c_str());
    }
}

} // namespace forms
