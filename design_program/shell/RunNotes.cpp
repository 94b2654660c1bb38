#include "shell/RunNotes.h"

#include "runtime/RegularFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <cerrno>
#include <fstream>
#include <limits>
#include <utility>

namespace cindrel::shell {

namespace {

std::ofstream openForWriting(const std::string& path, std::ios::openmode mode)
{
    if (path.empty())
        runtime::raise(runtime::BadFileNameOrNumber);
    // Writing to a FIFO would wait for a reader for good.
    runtime::requireRegularFile(path);
    errno = 0;
    std::ofstream out(path, mode | std::ios::binary);
    if (!out)
        runtime::raise(runtime::fileErrorNumber(errno));
    return out;
}

void closeChecked(std::ofstream& out)
{
    errno = 0;
    out.close();
    if (!out)
        runtime::raise(runtime::fileErrorNumber(errno));
}

// Runs one step of the error handler; returns the error it raised, if any.
template <typename Step>
bool failed(Step&& step, int& number, std::string& description) noexcept
{
    try {
        step();
        return false;
    } catch (...) {
        runtime::ErrorText caught = runtime::errorTextOf(std::current_exception());
        number = caught.number;
        description = std::move(caught.description);
    }
    return true;
}

} // namespace

void RunNotes::CreateRunNotesFile(const runtime::CalendarDate& date, const runtime::ClockTime& time)
{
    std::ofstream out = openForWriting(RunNotesPath, std::ios::out | std::ios::trunc);
    runtime::RecordWriter(out).date(date).time(time).endRecord();
    closeChecked(out);
}

std::int32_t RunNotes::nextCount()
{
    count_ = count_ == std::numeric_limits<std::int32_t>::max() ? 1 : count_ + 1;
    return count_;
}

void RunNotes::appendRecord(const std::string& text) const
{
    std::ofstream out = openForWriting(RunNotesPath, std::ios::out | std::ios::app);
    runtime::RecordWriter(out).text(text).endRecord();
    closeChecked(out);
}

void RunNotes::WriteRunNote(std::string_view Message) noexcept
{
    if (!ShowRunNotes)
        return;
    int number = 0;
    std::string description;
    std::string line;
    if (failed([&] { line = std::to_string(nextCount()) + ", " + std::string(Message); }, number, description))
        return;
    if (WriteRunNotes2File)
        failed([&] { appendRecord(line); }, number, description);
    if (window_ != nullptr)
        failed([&] { window_->prependLine(line); }, number, description);
}

void RunNotes::MainErrHandler(std::string_view ModuleName, std::string_view RoutineName,
                              std::string_view ErrorNumber, std::string_view Description,
                              std::string_view Other) noexcept
{
    const std::int32_t count = nextCount();
    if (!ShowRunNotes)
        return;
    int number = 0;
    std::string description;
    std::string record;
    if (failed(
            [&] {
                record = std::to_string(count) + ", Error in module; " + std::string(ModuleName) + ", routine; " +
                         std::string(RoutineName) + ", Error#; " + std::string(ErrorNumber) + ", Description; " +
                         std::string(Description);
                if (!Other.empty())
                    record += ", other; " + std::string(Other);
            },
            number, description)) {
        reportOwnFailure(number, description);
        return;
    }
    if (WriteRunNotes2File && failed([&] { appendRecord(record); }, number, description))
        reportOwnFailure(number, description);
    if (window_ == nullptr)
        return;
    if (failed([&] { window_->showWindow(); }, number, description))
        reportOwnFailure(number, description);
    if (failed([&] { window_->prependLine(record); }, number, description)) {
        // A window that takes no more text starts afresh.
        int clearNumber = 0;
        std::string clearDescription;
        failed([&] { window_->clearText(); }, clearNumber, clearDescription);
        reportOwnFailure(number, description);
    }
}

void RunNotes::reportOwnFailure(int number, const std::string& description)
{
    if (reportingOwnFailure_)
        return;
    reportingOwnFailure_ = true;
    auto reported = runtime::onScopeExit([this] { reportingOwnFailure_ = false; });
    MainErrHandler("Startup", "MainErrHandler", std::to_string(number), description, "");
}

} // namespace cindrel::shell
