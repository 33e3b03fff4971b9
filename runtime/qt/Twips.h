#pragma once

#include "runtime/Controls.h"

#include <QRect>

#include <cmath>

namespace rt
{

// Twips map to Qt's device-independent pixels at 15 twips per pixel (96 dpi).
inline constexpr float kTwipsPerPixel = 15;

inline int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect twipsToPixels(const TwipRect& r)
{
    return QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width), twipsToPixels(r.height));
}

} // namespace rt
