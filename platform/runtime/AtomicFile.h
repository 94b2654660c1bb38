#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

// Writing the program's files (designs, settings, reports, exports) so that a
// failure or a kill never leaves a partial file in place of the old one.
namespace runtime {

// A stream buffer over a file descriptor that keeps the errno of the first
// write that failed; a plain file stream only turns it into badbit, and a
// full disk must be reported as such.
class FileWriteBuffer : public std::streambuf {
public:
    FileWriteBuffer();
    FileWriteBuffer(const FileWriteBuffer&) = delete;
    FileWriteBuffer& operator=(const FileWriteBuffer&) = delete;

    // Writes to `descriptor` from here on (-1: none), a fresh buffer with no error.
    void reset(int descriptor);
    void detach() { descriptor_ = -1; }
    int descriptor() const { return descriptor_; }
    // The errno of the first failure; 0 while everything was written.
    int firstError() const { return error_; }
    void noteFailure(int error);
    // Writes out what is buffered; false when this or an earlier write failed.
    bool drain();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char_type* text, std::streamsize count) override;
    int sync() override;

private:
    bool writeOut(const char* data, std::size_t size);

    int descriptor_ = -1;
    int error_ = 0;
    char buffer_[1 << 16];
};

// A file written beside its target (".name.~saving~" and twelve letters or
// digits, a name no user gives a file; a very long name is cut to fit) and
// put in its place by commit(): the data and the folder are flushed to disk,
// and the file keeps the target's permissions (a new file gets the usual
// ones, less the umask).
// Nothing is committed without commit(): destroyed before it (an exception
// unwinding included), the temporary is removed and the target left as it
// was. A symbolic link is followed and kept: the file at the end of its chain
// of links is replaced, or made when the link names no file yet.
//
// While it is written the temporary is locked; one of the same target that
// nobody holds was left by a save that was killed, and the next save of that
// target removes it. Nothing without the marker is ever removed.
class AtomicFile : public std::ostream {
public:
    AtomicFile();
    // Opens at once; check isOpen() and error().
    explicit AtomicFile(const std::string& target);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Starts the temporary of `target`. False with error() set when the
    // target is a folder or another non-regular file (EISDIR, EINVAL), may
    // not be written (EACCES) or no file can be made beside it.
    bool open(const std::string& target);
    bool isOpen() const { return buffer_.descriptor() >= 0; }
    // The file that commit() replaces (a symbolic link resolved).
    const std::string& target() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }

    // Puts the file in place. 0 on success, else the errno of the first
    // failure (a write, the flush to disk or the rename); on failure the
    // temporary is removed and the target left as it was. Callers that
    // report failures override it.
    virtual int commit();
    // Drops what was written; the target stays as it was.
    void discard();
    // The errno of the first failure so far, 0 when none.
    int error() const;

private:
    FileWriteBuffer buffer_;
    std::string target_;
    std::string temporary_;
    int openError_ = 0;
};

// An output stream appending to a file, keeping its first write error.
class AppendedFile : public std::ostream {
public:
    explicit AppendedFile(const std::string& path);
    ~AppendedFile() override;
    AppendedFile(const AppendedFile&) = delete;
    AppendedFile& operator=(const AppendedFile&) = delete;

    bool isOpen() const { return buffer_.descriptor() >= 0; }
    // Flushes and closes; 0 when everything was written, else the errno of the first failure.
    int finish();

private:
    FileWriteBuffer buffer_;
};

// Replaces `target` whole with `content` through an AtomicFile; 0 on
// success, else the errno of the first failure.
int writeFileAtomically(const std::string& target, std::string_view content);

// Commits a stream handed out as an output file: an AtomicFile is put in
// place, any other stream only flushed. 0 on success, else an errno.
int commitOutput(std::ostream& file);

// Removes the temporaries of `target` (the marked names only, plain files of
// this user) that no running save holds.
void removeAbandonedTemporaries(const std::string& target);

} // namespace runtime
