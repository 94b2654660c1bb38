#include "shell/OutputWindows.h"

#include "shell/Startup.h"

#include "outputs/PrintPreviewWindow.h"
#include "outputs/ScreenOutputWindow.h"

namespace cindrel::shell {

void defineOutputWindows(Startup& startup)
{
    outputs::defineScreenOutputWindow(startup.windows(), startup.outputsHost());
    outputs::definePrintPreviewWindow(startup.windows(), startup.outputsHost());
}

} // namespace cindrel::shell
