#include "drawing/clsDrawOpts.h"

namespace vantrope {

void clsDrawOpts::GetHandle(PenTable& pens)
{
    if (Handle != 0)
        pens.DeleteObject(Handle);
    Handle = pens.CreatePen(LineType, Thickness, Color);
}

} // namespace vantrope
