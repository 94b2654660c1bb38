#pragma once

#include "component/Guid.h"

#include <cstdint>
#include <optional>
#include <string>

namespace component {

// What a failed call leaves for its caller: the text to show, who raised it
// and through which interface.
struct ErrorInfo {
    std::string description;
    std::string source;
    InterfaceId interfaceId;
    std::string helpFile;
    std::uint32_t helpContext = 0;

    bool operator==(const ErrorInfo&) const = default;
};

// The calling thread's error object: set replaces it, take hands it over and
// leaves none, as a caller reads it once after a failure.
void setErrorInfo(ErrorInfo info);
std::optional<ErrorInfo> takeErrorInfo();
void clearErrorInfo();

} // namespace component
