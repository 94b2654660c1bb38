#include "sequence/Ports.h"

#include "runtime/RuntimeError.h"

namespace cindrel::sequence {

void raiseControlMissing(const ControlId& control)
{
    std::string name = control.window;
    if (!control.isWindow())
        name.append(".").append(control.name);
    if (control.index >= 0)
        name.append("(").append(std::to_string(control.index)).append(")");
    runtime::raise(ControlMissing, std::string("Control ").append(name).append(" doesn't exist"));
}

} // namespace cindrel::sequence
