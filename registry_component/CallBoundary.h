#pragma once

#include "BrimlockRegistry.h"

#include <string_view>
#include <utility>

namespace brimlock {

// The result for the exception being handled, so that it never unwinds into a
// caller, who may not even be C++: out of memory is E_OUTOFMEMORY with no
// error information; anything else E_FAIL, with the exception's text as the
// error information of the class when it has one. Call it only inside a catch.
HResult resultOfCaughtException(std::string_view versionedProgId, const component::InterfaceId* interfaceId) noexcept;

// Runs one call a caller made into the library; no exception passes it.
template <class Call>
HResult guardedCall(Call&& call, std::string_view versionedProgId = {},
                    const component::InterfaceId* interfaceId = nullptr) noexcept
{
    try {
        return std::forward<Call>(call)();
    } catch (...) {
        return resultOfCaughtException(versionedProgId, interfaceId);
    }
}

} // namespace brimlock
