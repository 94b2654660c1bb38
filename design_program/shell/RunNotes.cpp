#include "shell/RunNotes.h"

#include "runtime/AtomicFile.h"
#include "runtime/RegularFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScopeExit.h"

#include <cerrno>
#include <limits>
#include <sstream>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindrel::shell {

namespace {

// Appends the record whole or not at all: a write cut short (a full disk)
// is taken back, so the log never ends in half a line.
void appendWhole(const std::string& path, const std::string& record)
{
    if (path.empty())
        runtime::raise(runtime::BadFileNameOrNumber);
    // Writing to a FIFO would wait for a reader for good; opened without
    // waiting as well, in case one takes the name after the check.
    runtime::requireRegularFile(path);
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor < 0)
        runtime::raise(runtime::fileErrorNumber(errno));
    auto closed = runtime::onScopeExit([descriptor] { ::close(descriptor); });
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        runtime::raise(runtime::fileErrorNumber(errno));
    if (!S_ISREG(status.st_mode))
        runtime::raise(runtime::PathFileAccessError);
    std::size_t written = 0;
    while (written < record.size()) {
        const ssize_t count = ::write(descriptor, record.data() + written, record.size() - written);
        if (count > 0) {
            written += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        const int error = count < 0 ? errno : EIO;
        // Only this write's own bytes are taken back: not when another writer appended since.
        struct stat after {};
        if (written > 0 && ::fstat(descriptor, &after) == 0 &&
            after.st_size == status.st_size + static_cast<off_t>(written)) {
            [[maybe_unused]] const int ignored = ::ftruncate(descriptor, status.st_size);
        }
        runtime::raise(runtime::fileErrorNumber(error));
    }
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

int RunNotes::CreateRunNotesFile(const runtime::CalendarDate& date, const runtime::ClockTime& time) noexcept
{
    try {
        if (RunNotesPath.empty())
            return ENOENT;
        std::ostringstream record;
        runtime::RecordWriter(record).date(date).time(time).endRecord();
        return runtime::writeFileAtomically(RunNotesPath, record.str());
    } catch (...) {
        return ENOMEM;
    }
}

std::int32_t RunNotes::nextCount()
{
    count_ = count_ == std::numeric_limits<std::int32_t>::max() ? 1 : count_ + 1;
    return count_;
}

void RunNotes::appendRecord(const std::string& text) const
{
    std::ostringstream record;
    runtime::RecordWriter(record).text(text).endRecord();
    appendWhole(RunNotesPath, record.str());
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
