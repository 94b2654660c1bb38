#include "drawing/DrawDevice.h"

namespace vantrope {

PenHandle PenTable::CreatePen(std::int32_t style, std::int32_t width, std::int32_t color)
{
    PenHandle handle = next_++;
    pens_.emplace(handle, Pen{style, width, color});
    return handle;
}

bool PenTable::DeleteObject(PenHandle handle)
{
    return pens_.erase(handle) == 1;
}

const Pen* PenTable::find(PenHandle handle) const
{
    auto it = pens_.find(handle);
    return it == pens_.end() ? nullptr : &it->second;
}

} // namespace vantrope
