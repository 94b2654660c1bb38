#pragma once

#include "dialogs/DialogTypes.h"

namespace dialogs {

// Every dialog the programs show goes through one provider: the Qt one shows
// real windows, tests install a scripted one so nothing ever waits for a user.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    // Returns the ButtonCode of the button pressed.
    virtual int messageBox(const MessageBoxRequest& request) = 0;
    virtual CheckableMessageAnswer checkableMessage(const CheckableMessageRequest& request) = 0;
    virtual FileDialogAnswer fileDialog(const FileDialogRequest& request) = 0;
    virtual FontDialogAnswer fontDialog(const FontDialogRequest& request) = 0;
    virtual ColorDialogAnswer colorDialog(const ColorDialogRequest& request) = 0;
    virtual PrinterDialogAnswer printerDialog(const PrinterDialogRequest& request) = 0;
    virtual FolderDialogAnswer folderDialog(const FolderDialogRequest& request) = 0;
};

// The process-wide provider; the Qt provider unless one was installed.
DialogProvider& currentProvider();

// Installs a provider (not owned); nullptr goes back to the Qt provider.
void setCurrentProvider(DialogProvider* provider);

// Installs a provider for the life of a scope and puts the previous one back.
class ScopedDialogProvider {
public:
    explicit ScopedDialogProvider(DialogProvider& provider);
    ~ScopedDialogProvider();
    ScopedDialogProvider(const ScopedDialogProvider&) = delete;
    ScopedDialogProvider& operator=(const ScopedDialogProvider&) = delete;

private:
    DialogProvider* previous_;
};

} // namespace dialogs
