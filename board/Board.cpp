// The bar board: bar i always shows Values(i) as its width, and each bar
// carries its own colour, which moves with its value.
#include "window/Form1.h"

using rt::Int16;

namespace
{
constexpr float kChannelScale = 255;
} // namespace

void Form1::RefreshBars()
{
    for (Int16 i = 0; i <= BarSlots::kLast; ++i)
        Shape1[i].setWidth(float(Values[i]));
}

void Form1::RN_Click()
{
    // Only widths change: colours stay where they are, also those a sort moved.
    for (Int16 i = 0; i <= BarSlots::kLast; ++i)
        Values[i] = Int16::truncate(platform_.random() * float(BarSlots::kValueRange));
    RefreshBars();
}

void Form1::colourBars()
{
    for (Int16 i = 0; i <= BarSlots::kLast; ++i) {
        const float red = platform_.random();
        const float green = platform_.random();
        const float blue = platform_.random();
        Shape1[i].setFillColor(rt::rgb(Int16::roundHalfEven(red * kChannelScale).value(),
            Int16::roundHalfEven(green * kChannelScale).value(), Int16::roundHalfEven(blue * kChannelScale).value()));
        Shape1[i].setBorderColor(Shape1[i].fillColor());
    }
}
