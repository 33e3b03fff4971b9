#include "board/Sorts.h"

using rt::Int16;

namespace Sorts
{

void exchangeSort(const Values& values, const Swap& swap)
{
    // After pass i, Values(0..i) ascends: the value from slot i has gone into
    // its place and the larger ones after it have shifted up towards i.
    for (Int16 i = 0; i <= BarSlots::kLast; ++i) {
        const Int16 last = i; // fixed when the inner loop starts
        for (Int16 j = 0; j <= last; ++j)
            if (values[j] > values[i])
                swap(j, i);
    }
}

void gnomeSort(const Values& values, const Swap& swap)
{
    // i is the furthest position reached, j the position of the value being
    // moved up. The test comes after the body, and the loop ends when i passes
    // the last slot, before index 16 is read.
    Int16 j = 1;
    Int16 i = 1;
    do {
        if (values[j] < values[j - 1]) {
            const Int16 above = j - 1;
            swap(j, above);
            if (j > 1)
                j = j - 1;
        } else {
            i = i + 1;
            j = i;
        }
    } while (!(i > BarSlots::kLast));
}

namespace
{
Int16 drawIndex(const Draw& draw)
{
    return Int16::truncate(draw() * float(BarSlots::kCount));
}
} // namespace

void randomPairSort(const Values& values, const Swap& swap, const Draw& draw)
{
    for (;;) {
        const Int16 x = drawIndex(draw);
        const Int16 y = drawIndex(draw);
        if (y <= x)
            continue; // no order check after a discarded pair
        if (values[y] < values[x])
            swap(y, x);
        Int16 k = 1;
        while (k <= BarSlots::kLast && !(values[k] < values[k - 1]))
            ++k;
        if (k > BarSlots::kLast)
            return;
    }
}

} // namespace Sorts
