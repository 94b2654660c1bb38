#pragma once

#include <cstdint>

namespace cindrel::model {

// Flags of the model are 16-bit numbers, -1 for true and 0 for false, as the
// stored designs and the callers hand them over.
inline constexpr std::int16_t True = -1;

} // namespace cindrel::model
