// The three sorts and the lock around them. Each button sets SortKind and
// runs RunSort, which locks all four buttons for the whole sort: the pumps
// inside SwapBars are the only re-entry, so no second sort or randomize can
// start inside one. Every exchange goes through SwapBars.
#include "window/Form1.h"

using rt::Int16;

namespace
{
constexpr Int16 kExchangeSort = 1;
constexpr Int16 kGnomeSort = 2;
constexpr Int16 kRandomPairSort = 3;
} // namespace

void Form1::BS_Click()
{
    SortKind = kExchangeSort;
    RunSort();
}

void Form1::Command1_Click()
{
    SortKind = kGnomeSort;
    RunSort();
}

void Form1::PS_Click()
{
    SortKind = kRandomPairSort;
    RunSort();
}

void Form1::EnableButtons(const Int16& flag)
{
    RN.setEnabled(flag);
    BS.setEnabled(flag);
    PS.setEnabled(flag);
    Command1.setEnabled(flag);
}

void Form1::RunSort()
{
    EnableButtons(rt::False);
    if (SortKind == kExchangeSort)
        exchangeSort();
    else if (SortKind == kGnomeSort)
        gnomeSort();
    else if (SortKind == kRandomPairSort)
        randomPairSort();
    else
        platform_.messageBox(
            { "Error in algorithm design!", "Error!", rt::Message::Icon::Critical, rt::Message::Buttons::OkOnly });
    EnableButtons(rt::True);
}

void Form1::exchangeSort()
{
    // After pass i, Values(0..i) ascends: the value from slot i has gone into
    // its place and the larger ones after it have shifted up towards i.
    for (Int16 i = 0; i <= BarSlots::kLast; ++i) {
        const Int16 last = i;
        for (Int16 j = 0; j <= last; ++j)
            if (Values[j] > Values[i])
                SwapBars(j, i);
    }
}

void Form1::gnomeSort()
{
    // i is the furthest position reached, j the position of the value being
    // moved up. The loop ends when i passes the last slot, before index 16 is read.
    Int16 j = 1;
    Int16 i = 1;
    do {
        if (Values[j] < Values[j - 1]) {
            const Int16 above = j - 1;
            SwapBars(j, above);
            if (j > 1)
                j = j - 1;
        } else {
            i = i + 1;
            j = i;
        }
    } while (!(i > BarSlots::kLast));
}

void Form1::randomPairSort()
{
    for (;;) {
        const Int16 x = drawIndex();
        const Int16 y = drawIndex();
        if (y <= x)
            continue; // no order check after a discarded pair
        if (Values[y] < Values[x])
            SwapBars(y, x);
        Int16 k = 1;
        while (k <= BarSlots::kLast && !(Values[k] < Values[k - 1]))
            ++k;
        if (k > BarSlots::kLast)
            return;
    }
}

Int16 Form1::drawIndex()
{
    return Int16::truncate(platform_.random() * float(BarSlots::kCount));
}
