#include "shell/StandIns.h"

#include "shell/Startup.h"

#include "forms/CommandButton.h"
#include "forms/Layout.h"
#include "forms/PictureBox.h"
#include "shell/ProgramFolders.h"

#include <filesystem>

namespace cindrel::shell {

OutputsStandIn::OutputsStandIn(Startup& startup) : startup_(startup) {}

void OutputsStandIn::ShowScreenOutputs(std::int16_t ShowHide)
{
    forms::Form& window = startup_.windows()[QStringLiteral("frmScreenOutput")];
    if (ShowHide == -1) {
        startup_.WriteRunNote("Loading Ouputs Form, Showing");
        window.show();
    } else if (ShowHide == 0) {
        startup_.WriteRunNote("Loading Ouputs Form, Hiding");
        window.hide();
    }
}

std::int32_t OutputsStandIn::PrintDocument(bool PrintDoc)
{
    startup_.WriteRunNote(PrintDoc ? "Print preview asked for" : "Printing asked for");
    return 0;
}

void OutputsStandIn::ShowPrintPreview(std::int16_t) {}

NavigatorStandIn::NavigatorStandIn(Startup& startup)
{
    forms::Form& main = startup.windows()[QStringLiteral("frmMain")];
    main.get<forms::CommandButton>(QStringLiteral("cmdPrevious")).setVisible(false);
    main.get<forms::PictureBox>(QStringLiteral("picStates"), 0).setVisible(true);
    main.show();
}

DesignFilesStandIn::DesignFilesStandIn(Startup& startup) : startup_(startup)
{
    active_ = startup.CommandLine.empty() ? DefaultFileName() : startup.CommandLine;
    if (startup.gobjRegisty != nullptr)
        startup.gobjRegisty->RUF_2Menu();
}

std::string DesignFilesStandIn::DefaultFileName() const
{
    return shellservices::programFilePath(QStringLiteral("Cindrel.def")).toStdString();
}

std::string DesignFilesStandIn::ActiveFileName(bool withExtension, bool withDirectoryStructure) const
{
    std::filesystem::path name(active_);
    if (!withExtension)
        name.replace_extension();
    return withDirectoryStructure ? name.string() : name.filename().string();
}

void DesignFilesStandIn::FileNew() { startup_.WriteRunNote("New design asked for"); }

bool DesignFilesStandIn::FileSave()
{
    startup_.WriteRunNote("Saving the design asked for");
    return false;
}

void DesignFilesStandIn::FileSaveAs() { startup_.WriteRunNote("Saving the design under a new name asked for"); }

void DesignFilesStandIn::FileOpen(const std::string& path)
{
    startup_.WriteRunNote("Design file to open: " + path);
}

void frmMFGOutputs_EditScreen(Startup&) {}

void frmMFGOutputs_loadPinCombo(Startup&, const std::vector<float>&, double, std::int16_t, bool) {}

void defineStandInWindows(Startup& startup)
{
    forms::Forms& windows = startup.windows();
    windows.define(QStringLiteral("frmAGMA"), [&startup](forms::Form& form) {
        form.setCaption(QStringLiteral("AGMA Factors"));
        form.move(0, 0, 9600, 7200);
        startup.WriteRunNote("in frmAGMA_Form_Load");
        startup.WriteRunNote("Going to fill Tree-View with materials");
    });
    forms::Form& manufacturing = windows.define(QStringLiteral("frmMFGOutputs"), [](forms::Form& form) {
        form.setCaption(QStringLiteral("Manufacturing Outputs"));
        form.move(0, 0, 9600, 5900);
        // What the main window sets on it: the helix hands and the default spans and allowances.
        const QStringList hands[] = {{QStringLiteral("Right"), QStringLiteral("Left")},
                                     {QStringLiteral("Left"), QStringLiteral("Right")}};
        for (int member : {0, 1}) {
            forms::buildControl(form, {.kind = forms::ControlKind::ComboBox, .name = QStringLiteral("cmbHelixHand"), .index = member,
                                       .left = 240.0 + 2400 * member, .top = 240, .width = 1800, .height = 315, .items = hands[member]});
            forms::buildControl(form, {.kind = forms::ControlKind::TextBox, .name = QStringLiteral("txtTeethSpanneddef"), .index = member,
                                       .left = 240.0 + 2400 * member, .top = 720, .width = 1095, .height = 315});
            forms::buildControl(form, {.kind = forms::ControlKind::TextBox, .name = QStringLiteral("txtTIFdef"), .index = member,
                                       .left = 240.0 + 2400 * member, .top = 1200, .width = 1095, .height = 315});
        }
    });
    // Closing it releases the manufacturing outputs and brings the main window back.
    manufacturing.onQueryUnload.connect([&startup, &manufacturing](bool& cancel, forms::UnloadReason reason) {
        if (reason != forms::UnloadReason::FormControlMenu)
            return;
        cancel = true;
        startup.gobjMFGOutputs.reset();
        startup.windows()[QStringLiteral("frmMain")].show();
        manufacturing.hide();
    });
    forms::Form& results = windows.define(QStringLiteral("frmScreenOutput"), [&startup](forms::Form& form) {
        form.setCaption(QStringLiteral("Results"));
        form.move(0, 0, 9000, 6000);
        startup.GetWindowPosition(form);
    });
    // Its window button only hides it; it goes when the main window closes.
    results.onQueryUnload.connect([&results](bool& cancel, forms::UnloadReason reason) {
        if (reason == forms::UnloadReason::FormControlMenu) {
            cancel = true;
            results.hide();
        }
    });
    results.onUnload.connect([&startup, &results](bool&) { startup.SaveWindowPosition(results); });
}

} // namespace cindrel::shell
