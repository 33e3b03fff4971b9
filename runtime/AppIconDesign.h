#pragma once

#include <cstdint>

namespace rt
{

// The program's icon: four coloured bars that ascend from the shortest at the
// top, the picture of a sorted board, on a grid of 16 by 16 units over a
// transparent ground. Every platform draws its icons from this one design.
struct IconBar {
    int left, top, width, height; // in grid units
    std::uint32_t rgb; // 0xRRGGBB
};

inline constexpr int kAppIconGrid = 16;
inline constexpr IconBar kAppIconBars[] = {
    { 1, 1, 4, 3, 0xe4572e },
    { 1, 5, 7, 3, 0xf3a712 },
    { 1, 9, 10, 3, 0x4caf50 },
    { 1, 13, 13, 3, 0x2e86de },
};

} // namespace rt
