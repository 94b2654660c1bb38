#pragma once

#include <cmath>

namespace forms {

// Positions and sizes are given in twips; the screen has 15 twips per pixel.
inline constexpr double twipsPerPixel = 15.0;

inline int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }
inline double pixelsToTwips(int pixels) { return pixels * twipsPerPixel; }

// A value set in twips is read back as set while the pixels it stands for are
// still the pixels on screen; once the window system moved or sized the
// widget, the pixels win.
inline double keptTwips(double setTwips, int currentPixels) {
    return twipsToPixels(setTwips) == currentPixels ? setTwips : pixelsToTwips(currentPixels);
}

} // namespace forms
