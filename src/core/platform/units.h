// Window geometry is designed in twips (1/1440 inch); the screen works in
// pixels at 15 twips each.
#pragma once

#include "numconv.h"

namespace units {

constexpr int kTwipsPerPixel = 15;

// What a fixed window with a title bar loses between its outer size and its
// client area, derived from the main window's design: 9600 x 7200 outside,
// 9510 x 6885 inside. A window without a title bar loses nothing.
constexpr int kTitledFrameWidthTwips = 90;
constexpr int kTitledFrameHeightTwips = 315;

inline int toPixels(double twips)
{
    return static_cast<int>(numconv::roundHalfEven(twips / kTwipsPerPixel));
}

inline double toTwips(int pixels)
{
    return double(pixels) * kTwipsPerPixel;
}

// Left or top that centres an extent in another: Int((outer - inner) / 2).
inline double centred(double outerExtent, double innerExtent)
{
    return double(numconv::intFloor((outerExtent - innerExtent) / 2));
}

} // namespace units
