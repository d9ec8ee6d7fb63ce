// Twips to pixels at 96 dpi: 1440 twips an inch, 15 twips a pixel. The
// window is laid out in pixels at this scale whatever the screen reports.
#pragma once

#include "ui/Controls.h"

namespace ui::qt {

inline constexpr int kTwipsPerPixel = 15;

inline int pixels(int twips) {
    // Round half away from zero, so negative positions (a rule that starts
    // left of the window) scale like positive ones.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// Point size to pixel size at 96 dpi: 8.25 pt -> 11 px, 9 pt -> 12 px.
inline int fontPixels(double points) { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }

}  // namespace ui::qt
