#pragma once

#include <cerrno>
#include <fstream>
#include <string>

namespace cindrel::shell {

// The temporary file a save writes beside its target (".name.XXXXXX") before
// renaming it over the target. While the save runs it holds a lock on the
// file; a temporary of the same target that nobody holds was left by a save
// that was killed, and the next save of that target removes it.
class SaveTemporary {
public:
    SaveTemporary() = default;
    ~SaveTemporary();
    SaveTemporary(const SaveTemporary&) = delete;
    SaveTemporary& operator=(const SaveTemporary&) = delete;

    // Removes the target's abandoned temporaries and creates a new one, with
    // the given permissions. False with errno set when it cannot be created.
    bool create(const std::string& target, unsigned permissions);
    const std::string& path() const { return path_; }
    // Gives up the lock; with `remove`, deletes the file too.
    void release(bool remove);

private:
    std::string path_;
    int descriptor_ = -1;
};

// Removes the temporaries of `target` that no running save holds.
void removeAbandonedTemporaries(const std::string& target);

// A file buffer that keeps the first system error of its writes, which the
// stream itself only turns into badbit.
class WriteErrorBuffer : public std::filebuf {
public:
    // The errno of the first failed write or close; EIO when the system gave none.
    int firstError() const { return error_; }
    // Closes the file; false when this or an earlier write failed.
    bool closeAll();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char_type* text, std::streamsize count) override;
    int sync() override;

private:
    void noteFailure(int error)
    {
        if (error_ == 0)
            error_ = error != 0 ? error : EIO;
    }
    int error_ = 0;
};

// An output stream writing through a WriteErrorBuffer.
class RecordedOutputFile : public std::ostream {
public:
    RecordedOutputFile(const std::string& path, std::ios::openmode mode);
    bool is_open() const { return buffer_.is_open(); }
    // Flushes and closes; 0 when everything was written, else the errno of the first failure.
    int finish();

private:
    WriteErrorBuffer buffer_;
};

} // namespace cindrel::shell
