#pragma once

#include "drawing/DrawDevice.h"

#include <cstdint>
#include <string>

namespace vantrope {

// One drawing option: colour, line type, width and draw flag, their
// defaults, and the pen made from them.
class clsDrawOpts {
public:
    std::int32_t Color = 0;
    std::int32_t defColor = 0;
    bool defDrawThis = false;
    std::int32_t defLineType = 0;
    std::int32_t defThickness = 0;
    bool DrawThis = false;
    std::int32_t Enumb = 0;
    std::string EnumbString;
    PenHandle Handle = 0;
    std::int32_t LineType = 0;
    std::string Name;
    std::int32_t PrevColor = 0;
    std::int32_t Thickness = 0;

    // Deletes the pen held (if any) and makes a new one from LineType,
    // Thickness and Color.
    void GetHandle(PenTable& pens);
};

} // namespace vantrope
