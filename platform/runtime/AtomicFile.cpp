#include "AtomicFile.h"
#include "RegularFile.h"
#include "ScopeExit.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace runtime {

namespace {

namespace fs = std::filesystem;

// A temporary is ".<target>.~saving~" and twelve letters or digits. The
// marker is what no one types: the clean-up of killed saves must never take
// a file of the user's own (".gear.cnd.backup"), so it removes only names
// that carry it.
constexpr std::string_view TemporaryMarker = "~saving~";
constexpr std::size_t UniqueLength = 12;
constexpr std::string_view UniqueCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The longest name of a file in a folder (NAME_MAX of the usual file systems).
constexpr std::size_t LongestName = 255;

std::string temporaryPrefix(const fs::path& target)
{
    // A target of the longest name still gets a temporary: its name is cut.
    std::string name = target.filename().string();
    name.resize(std::min(name.size(), LongestName - 2 - TemporaryMarker.size() - UniqueLength));
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on the chained form.
    std::string prefix(".");
    prefix += name;
    prefix += ".";
    prefix += TemporaryMarker;
    return prefix;
}

fs::path folderOf(const fs::path& target)
{
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// Whether `name` is one of the target's temporaries: the marked prefix and twelve letters or digits.
bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + UniqueLength || !name.starts_with(prefix))
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (UniqueCharacters.find(name[i]) == std::string_view::npos)
            return false;
    return true;
}

std::string uniquePart()
{
    thread_local std::mt19937_64 random(std::random_device{}() ^ (static_cast<std::uint64_t>(::getpid()) << 32));
    std::uniform_int_distribution<std::size_t> pick(0, UniqueCharacters.size() - 1);
    std::string part(UniqueLength, 'X');
    for (char& c : part)
        c = UniqueCharacters[pick(random)];
    return part;
}

// Creates and locks a new temporary beside `target`; its descriptor, or -1 with errno set.
int createTemporary(const fs::path& target, bool replacing, std::string& path)
{
    const fs::path folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = (folder / (prefix + uniquePart())).string();
        // A new file gets the usual permissions less the umask; a replaced one gets its own later.
        const int descriptor =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, replacing ? 0600 : 0666);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        ::flock(descriptor, LOCK_EX);
        // Another save's clean-up may have taken it before the lock: then it is gone from its name.
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor, &held) == 0 && ::lstat(candidate.c_str(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            path = std::move(candidate);
            return descriptor;
        }
        ::close(descriptor);
    }
    errno = EEXIST;
    return -1;
}

void syncFolder(const fs::path& target)
{
    const int descriptor = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        // Not every file system syncs a folder; the file itself is on disk already.
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

// --- FileWriteBuffer ---------------------------------------------------------

FileWriteBuffer::FileWriteBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }

void FileWriteBuffer::reset(int descriptor)
{
    descriptor_ = descriptor;
    error_ = 0;
    setp(buffer_, buffer_ + sizeof buffer_);
}

void FileWriteBuffer::noteFailure(int error)
{
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
}

bool FileWriteBuffer::writeOut(const char* data, std::size_t size)
{
    if (descriptor_ < 0) {
        noteFailure(EBADF);
        return false;
    }
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            noteFailure(errno);
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool FileWriteBuffer::drain()
{
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_, buffer_ + sizeof buffer_);
    // After a failure nothing more is written: the file is lost already.
    if (error_ == 0 && pending > 0)
        writeOut(buffer_, pending);
    return error_ == 0;
}

FileWriteBuffer::int_type FileWriteBuffer::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize FileWriteBuffer::xsputn(const char_type* text, std::streamsize count)
{
    // Large pieces go straight to the file rather than through the buffer.
    if (count < epptr() - pptr() || count < static_cast<std::streamsize>(sizeof buffer_ / 2))
        return std::streambuf::xsputn(text, count);
    if (!drain() || !writeOut(text, static_cast<std::size_t>(count)))
        return 0;
    return count;
}

int FileWriteBuffer::sync() { return drain() ? 0 : -1; }

// --- AtomicFile --------------------------------------------------------------

AtomicFile::AtomicFile() : std::ostream(nullptr) { setstate(std::ios::badbit); }

AtomicFile::AtomicFile(const std::string& target) : AtomicFile() { open(target); }

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::open(const std::string& target)
{
    discard();
    const auto fail = [this](int error) {
        openError_ = error != 0 ? error : EIO;
        errno = openError_;
        return false;
    };
    const fs::path given(target);
    if (target.empty() || given.filename().empty())
        return fail(ENOENT);
    // The link is kept and the file it names replaced, or made when the
    // link names none yet.
    std::string resolved = writtenPath(target);
    if (resolved.empty())
        return fail(errno);
    struct stat status {};
    const bool replacing = ::stat(resolved.c_str(), &status) == 0;
    if (!replacing && errno != ENOENT)
        return fail(errno);
    if (replacing) {
        if (S_ISDIR(status.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(status.st_mode))
            return fail(EINVAL);
        if (::faccessat(AT_FDCWD, resolved.c_str(), W_OK, AT_EACCESS) != 0)
            return fail(errno);
    }
    removeAbandonedTemporaries(resolved);
    std::string temporary;
    const int descriptor = createTemporary(resolved, replacing, temporary);
    if (descriptor < 0)
        return fail(errno);
    if (replacing) {
        if (::fchmod(descriptor, status.st_mode & 07777) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            ::close(descriptor);
            return fail(error);
        }
        // Ownership can only be kept by a privileged process; anyone else becomes the owner.
        [[maybe_unused]] const int ignored = ::fchown(descriptor, status.st_uid, status.st_gid);
    }
    buffer_.reset(descriptor);
    target_ = std::move(resolved);
    temporary_ = std::move(temporary);
    openError_ = 0;
    rdbuf(&buffer_);
    clear();
    return true;
}

int AtomicFile::error() const { return openError_ != 0 ? openError_ : buffer_.firstError(); }

int AtomicFile::commit()
{
    if (!isOpen())
        return openError_ != 0 ? openError_ : EBADF;
    flush();
    buffer_.drain();
    if (buffer_.firstError() == 0 && ::fsync(buffer_.descriptor()) != 0)
        buffer_.noteFailure(errno);
    // The temporary stays open, and locked, until it has its final name.
    if (buffer_.firstError() == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        buffer_.noteFailure(errno);
    const int failure = buffer_.firstError();
    if (failure != 0) {
        discard();
        openError_ = failure;
        return failure;
    }
    syncFolder(target_);
    ::close(buffer_.descriptor());
    buffer_.detach();
    temporary_.clear();
    setstate(std::ios::badbit);
    return 0;
}

void AtomicFile::discard()
{
    if (buffer_.descriptor() >= 0) {
        ::unlink(temporary_.c_str());
        ::close(buffer_.descriptor());
        buffer_.detach();
    }
    temporary_.clear();
    setstate(std::ios::badbit);
}

// --- AppendedFile ------------------------------------------------------------

AppendedFile::AppendedFile(const std::string& path) : std::ostream(nullptr)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        setstate(std::ios::badbit); // errno stays the open's for the caller
        return;
    }
    buffer_.reset(descriptor);
    rdbuf(&buffer_);
}

AppendedFile::~AppendedFile() { finish(); }

int AppendedFile::finish()
{
    if (!isOpen())
        return buffer_.firstError();
    flush();
    buffer_.drain();
    if (::close(buffer_.descriptor()) != 0)
        buffer_.noteFailure(errno);
    buffer_.detach();
    return buffer_.firstError();
}

// --- helpers -----------------------------------------------------------------

int writeFileAtomically(const std::string& target, std::string_view content)
{
    AtomicFile file(target);
    if (!file.isOpen())
        return file.error();
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    return file.commit();
}

int commitOutput(std::ostream& file)
{
    if (auto* atomic = dynamic_cast<AtomicFile*>(&file))
        return atomic->commit();
    file.flush();
    return file ? 0 : EIO;
}

void removeAbandonedTemporaries(const std::string& target)
{
    const fs::path targetPath(target);
    const std::string prefix = temporaryPrefix(targetPath);
    const fs::path folder = folderOf(targetPath);
    // Listed with readdir, not a directory_iterator: its increment may throw
    // mid-listing, and running out of memory inside it ends the process.
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return;
    const auto closeListing = onScopeExit([listing] { ::closedir(listing); });
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (!isTemporaryName(name, prefix))
            continue;
        const std::string path = (folder / name).string();
        // Only our own plain files are opened at all: opening a device may act on it.
        struct stat named {};
        if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_uid != ::geteuid())
            continue;
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        // A running save holds its temporary locked until it has its final name.
        // The name must still be the file locked: a save that was quicker may
        // have removed it, and a new save taken the name.
        struct stat held {};
        if (::fstat(descriptor, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
            ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            named.st_ino == held.st_ino && named.st_dev == held.st_dev)
            ::unlink(path.c_str());
        ::close(descriptor);
    }
}

} // namespace runtime
