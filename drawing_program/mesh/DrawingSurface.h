#pragma once

#include "drawing/DrawDevice.h"
#include "log/Timers.h"

namespace vantrope {

// The window a mesh is drawn on, as the mesh needs it. Sizes in pixels.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // The device the elements draw on; it stays the same for the run.
    virtual DrawDevice* device() = 0;
    virtual double clientWidth() = 0;
    virtual double clientHeight() = 0;
    // Fills the surface with its background.
    virtual void clear() = 0;
    // A drawing is complete: show it.
    virtual void drawingDone() {}
    // Where the time of the last drawing is shown (the "*" menu item).
    virtual CaptionTarget* timeTarget() = 0;
};

} // namespace vantrope
