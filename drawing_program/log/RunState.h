#pragma once

#include <cstdint>

namespace vantrope {

// The program-wide switches and point counts that start-up sets and the
// settings object loads; everything else reads them through a reference.
struct RunState {
    bool Logged = true;
    bool DebugMode = false;
    std::int32_t IncrementsInvolute = 10;
    std::int32_t IncrementsEdge = 5;
    std::int32_t IncrementsRoot = 7;
    // The check mark of "Toggle LOA side": the line of action is drawn on
    // the other side of the line of centres.
    bool LoaOtherSide = false;
};

} // namespace vantrope
