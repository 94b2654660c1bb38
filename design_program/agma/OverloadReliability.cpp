#include "OverloadReliability.h"

#include "BoxNumber.h"

namespace cindrel::agma {

std::optional<int> overloadOptionFor(std::string_view typedKo) {
    const double x = boxNumberOrZero(typedKo);
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
    const double x = boxNumberOrZero(typedKr);
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
