#pragma once

#include <cstdint>

namespace rt
{

// A colour value: red in the low byte, then green, then blue. The program
// only carries these from one control property to another.
using Colour = std::uint32_t;

// Composes a colour from three channels of 0..255; a channel outside that
// range raises an overflow.
Colour rgb(int red, int green, int blue);

inline int redOf(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
inline int greenOf(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
inline int blueOf(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

} // namespace rt
