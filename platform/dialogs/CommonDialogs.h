#pragma once

#include "dialogs/DialogTypes.h"

#include <cstdint>

namespace dialogs {

// Each shows its dialog through the current provider. When the request asks
// for the cancel error, cancelling raises runtime::RuntimeError 32755 instead
// of returning a cancelled answer.
//
// A file dialog starts in the folder asked for, else in the folder last
// chosen in a file dialog of the run, else in the user's documents folder;
// never in the program's own folder. A name saved without an extension gets
// the one of the file type chosen, and with FileOverwritePrompt an existing
// file is replaced only when the user says so (else the dialog shows again).
FileDialogAnswer showFileDialog(const FileDialogRequest& request);
FileDialogAnswer showOpenDialog(FileDialogRequest request);
FileDialogAnswer showSaveDialog(FileDialogRequest request);
FontDialogAnswer showFontDialog(const FontDialogRequest& request);
ColorDialogAnswer showColorDialog(const ColorDialogRequest& request);
FolderDialogAnswer showFolderDialog(const FolderDialogRequest& request);

// The folder a file dialog asked to start in (may be empty) starts in.
QString fileDialogStartFolder(const QString& asked);

// A confirmed printer dialog makes its choice the program's current printer,
// which the report printers then print on.
PrinterDialogAnswer showPrinterDialog(const PrinterDialogRequest& request);
PrinterChoice currentPrinter();
void setCurrentPrinter(const PrinterChoice& printer);

// Colours as 32-bit numbers: red in the lowest byte, then green, then blue;
// the top byte is ignored on reading and 0 on writing.
std::uint32_t colorToNumber(const QColor& color);
QColor colorFromNumber(std::uint32_t number);

} // namespace dialogs
