#pragma once

#include "BrimlockRegistry.h"

#include "component/Object.h"

#include <string>
#include <string_view>

namespace registry {
class Store;
}

namespace brimlock {

// Live objects and server locks of this library.
component::ModuleLocks& moduleLocks();

// The calling thread's settings store: the store is not thread-safe, and a
// store must not cross a fork, so each thread of each process opens its own.
registry::Store& threadStore();

// A text of the string table; empty for an id it does not hold.
std::string loadComponentString(int messageId);

// Sets the thread's error information for message n (the text, the class's
// versioned ProgID, its interface) and returns errorResult(n).
HResult ReportComponentError(int messageId, std::string_view versionedProgId, const component::InterfaceId& interfaceId);

} // namespace brimlock
