#include "OverloadReliability.h"

#include "BoxNumber.h"

#include "runtime/RuntimeError.h"

namespace cindrel::agma {

namespace {

double typedFactor(std::string_view text) {
    try {
        return boxNumber(text);
    } catch (const runtime::RuntimeError&) {
        return 0;
    }
}

} // namespace

std::optional<int> overloadOptionFor(std::string_view typedKo) {
    const double x = typedFactor(typedKo);
    if (x >= 2)
        return 6;
    if (x >= 1.75)
        return 5;
    if (x >= 1.5)
        return 3;
    if (x >= 1.25)
        return 2;
    if (x >= 1)
        return 0;
    return std::nullopt;
}

int reliabilityOptionFor(std::string_view typedKr) {
    const double x = typedFactor(typedKr);
    if (x >= 1.5)
        return 0;
    if (x >= 1.25)
        return 1;
    if (x >= 1)
        return 2;
    if (x >= 0.85)
        return 3;
    return 4;
}

} // namespace cindrel::agma
