// Runs GoogleTest inside a QApplication: window, dialog and clipboard tests need
// one. Without a display they run on the offscreen platform, also while CTest
// lists the tests at build time.
#include "dialogs/ScriptedDialogProvider.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// A dialog no test scripted would open a real, modal window and wait for a
// user who never comes: it fails the running test and is answered as closed.
class NoRealDialogs : public dialogs::ScriptedDialogProvider {
public:
    NoRealDialogs() { setRaiseOnFailure(false); }

    int messageBox(const dialogs::MessageBoxRequest& request) override
    {
        ADD_FAILURE() << "Unscripted message box: " << request.text.toStdString();
        return ScriptedDialogProvider::messageBox(request);
    }
    dialogs::CheckableMessageAnswer checkableMessage(const dialogs::CheckableMessageRequest& request) override
    {
        ADD_FAILURE() << "Unscripted checkable message";
        return ScriptedDialogProvider::checkableMessage(request);
    }
    dialogs::FileDialogAnswer fileDialog(const dialogs::FileDialogRequest& request) override
    {
        ADD_FAILURE() << "Unscripted file dialog";
        return ScriptedDialogProvider::fileDialog(request);
    }
    dialogs::FontDialogAnswer fontDialog(const dialogs::FontDialogRequest& request) override
    {
        ADD_FAILURE() << "Unscripted font dialog";
        return ScriptedDialogProvider::fontDialog(request);
    }
    dialogs::ColorDialogAnswer colorDialog(const dialogs::ColorDialogRequest& request) override
    {
        ADD_FAILURE() << "Unscripted colour dialog";
        return ScriptedDialogProvider::colorDialog(request);
    }
    dialogs::PrinterDialogAnswer printerDialog(const dialogs::PrinterDialogRequest& request) override
    {
        ADD_FAILURE() << "Unscripted printer dialog";
        return ScriptedDialogProvider::printerDialog(request);
    }
    dialogs::FolderDialogAnswer folderDialog(const dialogs::FolderDialogRequest& request) override
    {
        ADD_FAILURE() << "Unscripted folder dialog";
        return ScriptedDialogProvider::folderDialog(request);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GearSuiteTests"));
    ::testing::InitGoogleTest(&argc, argv);
    NoRealDialogs noRealDialogs;
    dialogs::setCurrentProvider(&noRealDialogs);
    const int result = RUN_ALL_TESTS();
    dialogs::setCurrentProvider(nullptr);
    return result;
}
