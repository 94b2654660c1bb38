#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Whether a reader may open the path: 0 for a regular file (or a link to one)
// and for a path where nothing is (the open reports that as it always did);
// PathFileAccessError for a folder, a FIFO, a socket or a device, which would
// block the reader for good or feed it without end.
int specialFileError(const std::string& path) noexcept;

// What the path names when it is not a regular file, for the user: "a
// folder", "a named pipe", "a device" or "a socket"; empty for a regular file
// (or a link to one) and where nothing is.
std::string specialFileKind(const std::string& path);

// Why a file cannot be used, for a message, where the error number alone
// does not say it: that the file system is read-only (EROFS), that the name
// is a link whose links never end (ELOOP), or that it is a folder, pipe,
// socket or device, not `expected`; empty otherwise.
std::string fileProblemReason(const std::string& path, int systemError, std::string_view expected = "a plain file");

// The file that a write of `path` replaces or makes: `path` itself, or for a
// symbolic link the file at the end of its chain of links, which need not
// exist yet (a relative link names a file from the link's own folder).
// Empty, with errno set (ELOOP), when the chain does not end.
std::string writtenPath(const std::string& path);

// Why no file can be made where a write of `path` puts it (beside the file
// a link names, for a link), for a message: that this user may not write
// that folder (naming it), or that its file system is read-only; empty when
// the folder can be written or is missing (the open reports that). The
// reason ends with `consequence`. `systemError`, when given, receives the
// errno (EACCES or EROFS; 0 when there is no problem).
std::string folderWriteProblem(const std::string& path, int* systemError = nullptr,
                               std::string_view consequence = "nothing can be saved there");

// Raises the numbered error of specialFileError, if any.
void requireRegularFile(const std::string& path);

} // namespace runtime
