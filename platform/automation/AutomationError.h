#pragma once

#include "runtime/RuntimeError.h"

#include <string>

namespace automation {

// The numbered errors of automation calls. The number and its description
// reach the user (the design program shows "error #" and the number), so a
// dead, hung or mismatched server each has its own.
enum AutomationErrorNumber : int {
    TypeMismatch = runtime::TypeMismatch,
    Overflow = runtime::Overflow,
    // The server program could not be started, ended or stayed silent before
    // the handshake.
    CannotCreateObject = runtime::CannotCreateObject,
    // The server answered the handshake for another class, interface or
    // protocol version.
    InterfaceNotSupported = 430,
    MemberNotFound = 438,
    // A message on the channel broke the protocol: too long, malformed or
    // out of order.
    ProtocolViolation = 440,
    ArgumentNotOptional = 449,
    WrongNumberOfArguments = 450,
    // The server has ended or its channel is closed.
    ServerUnavailable = 462,
    // The server did not answer a call within the call timeout.
    ServerNotResponding = 1110,
};

// The standard description of one of the numbers above.
std::string automationErrorDescription(int number);

// Raises runtime::RuntimeError with the number and its standard description,
// followed by ": " and the detail when there is one.
[[noreturn]] void raiseAutomationError(int number, const std::string& detail = {});

} // namespace automation
