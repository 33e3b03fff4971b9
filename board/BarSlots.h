#pragma once

#include "runtime/Int16.h"

// Where the sixteen bars sit, in twips. Bar 0 is the top bar. The slot pitch
// is one pixel less than the bar height, so neighbours share one pixel row.
namespace BarSlots
{

inline constexpr int kCount = 16;
inline constexpr int kLast = kCount - 1;
inline constexpr int kLeft = 360;
inline constexpr int kHeight = 255;
inline constexpr int kFirstTop = 240;
inline constexpr int kPitch = 240;

// A bar's width is its value: a drawn value is one of 0..kValueRange-1.
inline constexpr int kValueRange = 4096;

// The home top edge of bar i, in 16-bit arithmetic.
inline rt::Int16 homeTop(const rt::Int16& i)
{
    return rt::Int16(kPitch) * i + kFirstTop;
}

} // namespace BarSlots
