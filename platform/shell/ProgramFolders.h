#pragma once

#include <QString>

namespace shellservices {

// The folder of the running executable, where the programs keep the files
// they ship with (default design file, pin lists, materials, help).
QString programFolder();
void setProgramFolderOverride(const QString& folder); // empty: back to the real one

// A file in the program folder.
QString programFilePath(const QString& fileName);

// Per-user folders; both are created when missing.
QString userDataFolder();
QString userDocumentsFolder();
void setUserDataFolderOverride(const QString& folder); // empty: back to the real one

// True when a file can be created in the folder (probed, not guessed from
// permission bits, which say nothing on read-only mounts or for root).
bool isFolderWritable(const QString& folder);

// True when a file may be written at the path: none is there yet, or a
// regular file (or a link to one) that may be written. A folder, FIFO or
// device of that name is not.
bool isFileWritable(const QString& path);

// Where to write a file that belongs in the program folder: there when the
// folder is writable and the file of that name may be written, else in the
// per-user data folder.
QString writableProgramFilePath(const QString& fileName);

} // namespace shellservices
