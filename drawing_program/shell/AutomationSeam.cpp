#include "shell/AutomationSeam.h"

#include "shell/Startup.h"

namespace vantrope {

bool serveAutomation(Startup& startup, int /*channelSocket*/)
{
    startup.notAvailable("Automation class");
    return false;
}

} // namespace vantrope
