#include "shell/MHTMLHelp.h"

#include "shell/Help.h"
#include "shell/ProgramFolders.h"

namespace cindrel::shell {

std::string HelpFilePath(std::int32_t HelpFileNumber)
{
    if (HelpFileNumber != 1)
        return {};
    return shellservices::programFilePath(QStringLiteral("Cindrel.chm")).toStdString();
}

void ShowHelpTopic(std::int32_t HelpFileNumber, std::string_view WindowName, std::int32_t ContextID)
{
    const std::string file = HelpFilePath(HelpFileNumber) + ">" + std::string(WindowName);
    shellservices::showHelpTopic(QString::fromStdString(file), ContextID);
}

} // namespace cindrel::shell
