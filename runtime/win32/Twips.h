#pragma once

#include <cmath>

namespace rt
{

// Twips map to a window's device pixels by its dots per inch: 1440 twips to
// the inch, so 15 twips to the pixel at 96 dpi (100%).
inline constexpr float kTwipsPerInch = 1440;

inline int twipsToPixels(float twips, unsigned dpi)
{
    return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / kTwipsPerInch));
}

} // namespace rt
