#pragma once

#include "board/BarSlots.h"
#include "runtime/CheckedArray.h"
#include "runtime/Int16.h"

#include <functional>

// The three sorts, as pure algorithms over the sixteen values. They only read
// the values and compare them strictly, so equal values are never exchanged.
// Every exchange goes through the swap they are given, and every random
// number through the draw they are given; neither a window nor a clock is
// involved.
namespace Sorts
{

using Values = rt::CheckedArray<rt::Int16, BarSlots::kCount>;

// Exchanges the values at a and b before it returns. The indices are the
// sort's own variables, passed by reference; the swap must not write them.
// The order matters to the picture: the first bar slides to the second's slot.
using Swap = std::function<void(const rt::Int16& a, const rt::Int16& b)>;

// The next number of the random sequence, uniform in [0, 1).
using Draw = std::function<float()>;

// Exchange sort: for i = 0..15 and j = 0..i, exchanges j and i when
// Values(j) > Values(i). Reversed input takes 120 exchanges.
void exchangeSort(const Values& values, const Swap& swap);

// Gnome sort with jump-back: moves each value up by exchanges with the one
// above it, then jumps back to the first position not yet placed. It makes
// exactly as many exchanges as the input has inversions.
void gnomeSort(const Values& values, const Swap& swap);

// Random pair sort: draws pairs x < y (a pair with y <= x is discarded),
// exchanges them when out of order, and stops at the first accepted pair
// after which the values ascend.
void randomPairSort(const Values& values, const Swap& swap, const Draw& draw);

} // namespace Sorts
