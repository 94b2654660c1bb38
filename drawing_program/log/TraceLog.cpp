#include "log/TraceLog.h"

#include "runtime/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <unistd.h>

namespace vantrope {

TraceLog::TraceLog(const bool& logged, std::filesystem::path file, FailureSink onFailure)
    : logged_(logged), file_(std::move(file)), onFailure_(std::move(onFailure))
{
}

void TraceLog::write(std::string_view text) const
{
    if (!logged_)
        return;
    std::string record = "\"";
    record += text;
    record += "\"\r\n";
    append(record);
}

void TraceLog::writeEmptyRecord() const
{
    if (!logged_)
        return;
    append("\r\n");
}

void TraceLog::append(const std::string& record) const
{
    // A trace line that cannot be written must not stop the program: the
    // failure goes to the sink (stderr by default) and the run goes on.
    auto fail = [this](const std::string& why) {
        std::string message = "cannot append to the log file " + file_.string() + ": " + why;
        if (onFailure_)
            onFailure_(message);
        else
            std::cerr << message << '\n';
    };
    // Writing to a FIFO would wait for a reader for good.
    if (runtime::specialFileError(file_.string()) != 0) {
        fail("not a regular file");
        return;
    }
    int fd = ::open(file_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail(std::strerror(errno));
        return;
    }
    const char* data = record.data();
    std::size_t left = record.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(std::strerror(errno));
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    ::close(fd);
}

} // namespace vantrope
