#include "shell/StandIns.h"

#include "shell/Startup.h"

#include "outputs/ScreenOutputWindow.h"

#include "forms/CommandButton.h"
#include "forms/PictureBox.h"
#include "shell/ProgramFolders.h"

#include <filesystem>

namespace cindrel::shell {

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

void DesignFilesStandIn::FileOpen(const std::string& path)
{
    startup_.WriteRunNote("Design file to open: " + path);
}

void defineStandInWindows(Startup& startup)
{
    forms::Forms& windows = startup.windows();
    windows.define(QStringLiteral("frmAGMA"), [&startup](forms::Form& form) {
        form.setCaption(QStringLiteral("AGMA Factors"));
        form.move(0, 0, 9600, 7200);
        startup.WriteRunNote("in frmAGMA_Form_Load");
        startup.WriteRunNote("Going to fill Tree-View with materials");
    });
    windows.define(QStringLiteral("frmMFGOutputs"), [](forms::Form& form) {
        form.setCaption(QStringLiteral("Manufacturing Outputs"));
        form.move(0, 0, 9600, 5900);
    });
    outputs::defineScreenOutputWindow(windows, startup.outputsHost());
}

} // namespace cindrel::shell
