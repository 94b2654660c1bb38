#pragma once

#include "runtime/RuntimeError.h"

namespace testsupport {

// The number of the RuntimeError a call raises, 0 when it raises none.
inline int errorNumberOf(auto&& call) {
    try {
        call();
    } catch (const runtime::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace testsupport
