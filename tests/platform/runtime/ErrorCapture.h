#pragma once

#include "runtime/RuntimeError.h"

namespace runtime_test {

// The number of the RuntimeError a call raises, 0 when it raises none.
inline int errorOf(auto&& call) {
    try {
        call();
    } catch (const runtime::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace runtime_test
