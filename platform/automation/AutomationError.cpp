#include "automation/AutomationError.h"

#include "runtime/RuntimeError.h"

namespace automation {

std::string automationErrorDescription(int number) {
    switch (number) {
    case InterfaceNotSupported:
        return "Class does not support Automation or does not support expected interface";
    case MemberNotFound: return "Object doesn't support this property or method";
    case ProtocolViolation: return "Automation error";
    case ArgumentNotOptional: return "Argument not optional";
    case WrongNumberOfArguments: return "Wrong number of arguments or invalid property assignment";
    case ServerUnavailable: return "The automation server has ended or is unavailable";
    case ServerNotResponding: return "The automation server is not responding";
    default: return runtime::errorDescription(number);
    }
}

void raiseAutomationError(int number, const std::string& detail) {
    std::string description = automationErrorDescription(number);
    if (!detail.empty())
        description += ": " + detail;
    runtime::raise(number, description);
}

} // namespace automation
