#include "shell/SaveTemporary.h"

#include <filesystem>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cindrel::shell {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view UniquePart = "XXXXXX";

std::string temporaryPrefix(const fs::path& target)
{
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on the chained form.
    std::string prefix(".");
    prefix += target.filename().string();
    prefix += ".";
    return prefix;
}

// Whether `name` is what mkstemp makes of the target's pattern.
bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + UniquePart.size() || !name.starts_with(prefix))
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

} // namespace

void removeAbandonedTemporaries(const std::string& target)
{
    const fs::path targetPath(target);
    const std::string prefix = temporaryPrefix(targetPath);
    const fs::path folder = targetPath.parent_path().empty() ? fs::path(".") : targetPath.parent_path();
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error)
        return;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (!isTemporaryName(name, prefix))
            continue;
        // Only our own plain files, and only those no running save holds.
        const int descriptor = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        struct stat info {};
        if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            ::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
        ::close(descriptor);
    }
}

SaveTemporary::~SaveTemporary() { release(true); }

bool SaveTemporary::create(const std::string& target, unsigned permissions)
{
    release(true);
    removeAbandonedTemporaries(target);
    const fs::path targetPath(target);
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::string name = temporaryPrefix(targetPath);
        name += UniquePart;
        std::string pattern = (targetPath.parent_path() / name).string();
        const int descriptor = ::mkstemp(pattern.data());
        if (descriptor < 0)
            return false;
        ::flock(descriptor, LOCK_EX);
        // Another save's clean-up may have taken it before the lock: then it is gone from its name.
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor, &held) == 0 && ::lstat(pattern.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev) {
            ::fchmod(descriptor, static_cast<mode_t>(permissions));
            path_ = std::move(pattern);
            descriptor_ = descriptor;
            return true;
        }
        ::close(descriptor);
    }
    errno = EEXIST;
    return false;
}

void SaveTemporary::release(bool remove)
{
    if (remove && !path_.empty()) {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
    path_.clear();
}

WriteErrorBuffer::int_type WriteErrorBuffer::overflow(int_type c)
{
    errno = 0;
    const int_type result = std::filebuf::overflow(c);
    if (traits_type::eq_int_type(result, traits_type::eof()))
        noteFailure(errno);
    return result;
}

std::streamsize WriteErrorBuffer::xsputn(const char_type* text, std::streamsize count)
{
    errno = 0;
    const std::streamsize written = std::filebuf::xsputn(text, count);
    if (written < count)
        noteFailure(errno);
    return written;
}

int WriteErrorBuffer::sync()
{
    errno = 0;
    const int result = std::filebuf::sync();
    if (result != 0)
        noteFailure(errno);
    return result;
}

bool WriteErrorBuffer::closeAll()
{
    if (!is_open())
        return error_ == 0;
    errno = 0;
    if (close() == nullptr)
        noteFailure(errno);
    return error_ == 0;
}

RecordedOutputFile::RecordedOutputFile(const std::string& path, std::ios::openmode mode) : std::ostream(nullptr)
{
    if (buffer_.open(path, mode | std::ios::out) != nullptr)
        rdbuf(&buffer_);
    else
        setstate(std::ios::badbit);
}

int RecordedOutputFile::finish()
{
    flush();
    const bool streamGood = good();
    const bool closed = buffer_.closeAll();
    if (closed && streamGood)
        return 0;
    return buffer_.firstError() != 0 ? buffer_.firstError() : EIO;
}

} // namespace cindrel::shell
