#pragma once

#include "runtime/ErrorReporter.h"
#include "runtime/SequentialFile.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cindrel::shell {

// The run-log window as the run log sees it: newest line at the top.
class RunLogWindow {
public:
    virtual ~RunLogWindow() = default;
    virtual void showWindow() = 0; // shown, not modal
    // Puts the line and CR LF in front of the window's text.
    virtual void prependLine(const std::string& line) = 0;
    virtual void clearText() = 0;
};

// The program's run log and common error handler: numbered progress notes
// and error records that share one counter, shown in the run-log window and
// appended to the run-notes file. Neither ever fails its caller.
class RunNotes : public runtime::RunLog {
public:
    explicit RunNotes(RunLogWindow* window = nullptr) : window_(window) {}

    void setWindow(RunLogWindow* window) { window_ = window; }

    // "Show Run Notes": gates every output of the log and of the error handler.
    bool ShowRunNotes = false;
    // "Write Run Notes To File": notes and errors are also appended to RunNotesPath.
    bool WriteRunNotes2File = false;
    std::string RunNotesPath;

    std::int32_t RunNoteCount() const { return count_; }
    void setRunNoteCount(std::int32_t count) { count_ = count; }

    // Recreates the run-notes file with its date-and-time record, written whole
    // beside it and put in its place, so that a file that cannot be written
    // keeps the earlier log. 0, or the system error (errno) of the failure.
    int CreateRunNotesFile(const runtime::CalendarDate& date, const runtime::ClockTime& time) noexcept;

    void WriteRunNote(std::string_view Message) noexcept;
    void MainErrHandler(std::string_view ModuleName, std::string_view RoutineName, std::string_view ErrorNumber,
                        std::string_view Description, std::string_view Other) noexcept;

    void writeRunNote(std::string_view note) override { WriteRunNote(note); }
    void reportError(std::string_view module, std::string_view routine, std::string_view errorNumber,
                     std::string_view description, std::string_view other) override
    {
        MainErrHandler(module, routine, errorNumber, description, other);
    }

private:
    // The counter never overflows: after the largest 32-bit number it starts again at 1.
    std::int32_t nextCount();
    void appendRecord(const std::string& text) const;
    void reportOwnFailure(int number, const std::string& description);

    RunLogWindow* window_;
    std::int32_t count_ = 0;
    // Set while the handler reports one of its own failures: a failure inside
    // that report is not reported again, so a log that can never be written
    // cannot make the handler call itself without end.
    bool reportingOwnFailure_ = false;
};

} // namespace cindrel::shell
