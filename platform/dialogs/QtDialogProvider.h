#pragma once

#include "dialogs/DialogProvider.h"

namespace dialogs {

// Shows real Qt dialogs, modal to the active window. Without a widget
// application (a run with no window system), or off its GUI thread, nothing
// is shown: a message is written to standard error and answered as if
// closed, and every other dialog counts as cancelled.
class QtDialogProvider : public DialogProvider {
public:
    int messageBox(const MessageBoxRequest& request) override;
    CheckableMessageAnswer checkableMessage(const CheckableMessageRequest& request) override;
    FileDialogAnswer fileDialog(const FileDialogRequest& request) override;
    FontDialogAnswer fontDialog(const FontDialogRequest& request) override;
    ColorDialogAnswer colorDialog(const ColorDialogRequest& request) override;
    PrinterDialogAnswer printerDialog(const PrinterDialogRequest& request) override;
    FolderDialogAnswer folderDialog(const FolderDialogRequest& request) override;
};

} // namespace dialogs
