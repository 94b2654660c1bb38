#include "shell/ShellWindows.h"
#include "shell/Startup.h"

#include "forms/Label.h"
#include "forms/MenuItem.h"
#include "shell/MHTMLHelp.h"
#include "ShellWindowLayouts.h"

namespace cindrel::shell {

// The main window that start-up needs, and the seam where its input panels
// come in. Start-up and the other windows rely on: the step panel
// picStates(0); the buttons cmdPrevious, cmdFinished and cmdNext; the unit
// label arrays lblLengthUnits, lblPressureUnits, lblTempUnits and lblRMSUnits;
// the hidden labels lblToothOrient and lblRunNotes; the File menu's
// recent-file array mnuFileRecent (member 0 a separator); the last key pressed
// kept in Startup::KeyState; its place restored at load and stored when it
// closes, which ends the program.
void defineMainWindow(Startup& startup)
{
    forms::Form& main = startup.windows().define(QStringLiteral("frmMain"), [&startup](forms::Form& form) {
        startup.WriteRunNote("frmMain Form_Load");
        form.setCaption(QString::fromLatin1(ProductName));
        forms::buildLayout(form, layouts::frmMain());
        form.setKeyPreview(true);
        startup.GetWindowPosition(form);
        form.setWidth(7800);
        form.setHeight(7000);

        forms::Forms& windows = startup.windows();
        const auto onMenu = [&form](const char* name, std::function<void()> command) {
            form.get<forms::MenuItem>(QString::fromLatin1(name)).onClick.connect(std::move(command));
        };
        onMenu("mnuFileExit", [&startup] { startup.ShutDown(); });
        onMenu("mnuWindowRunningTotals", [&startup] {
            if (startup.gobjOutputs != nullptr)
                startup.gobjOutputs->ShowScreenOutputs(-1);
        });
        onMenu("mnuWindowNotes", [&windows, &form] { windows[QStringLiteral("frmRunNotes")].show(forms::Modality::Modeless, &form); });
        onMenu("mnuConvertHardness", [&windows, &form] {
            forms::Form& converter = windows[QStringLiteral("frmHardnessConverter")];
            converter.show();
            converter.move(form.left() + 800, form.top() + 800);
        });
        onMenu("mnuHelpContents", [] { ShowHelpTopic(1, "", 0); });
        onMenu("mnuHelpAbout", [&windows, &form] { windows[QStringLiteral("frmAbout")].show(forms::Modality::Modal, &form); });
        startup.WriteRunNote("frmMain Loaded.");
    });
    main.onKeyDown.connect([&startup](int& keyCode, int) { startup.KeyState = keyCode; });
    // Closing the main window ends the program; its place is stored first.
    main.onQueryUnload.connect([&startup, &main](bool&, forms::UnloadReason reason) {
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        startup.SaveWindowPosition(main);
        for (const char* name : {"frmScreenOutput", "frmRunNotes"})
            if (forms::Form* window = startup.windows().find(QString::fromLatin1(name)))
                window->unload();
        startup.ShutDown();
    });
}

} // namespace cindrel::shell
