// The animated exchange of two bars: they slide past each other into each
// other's slot in 30 paced frames, then go home while their values and
// colours change places, so the picture stays the same across that switch.
#include "window/Form1.h"

using rt::Int16;

namespace
{
constexpr int kFrames = 30;
constexpr int kStepPerSlot = 8; // twips per frame for each slot of distance: 30 * 8 = one pitch
constexpr double kFrameSeconds = 0.008;
} // namespace

void Form1::SwapBars(const Int16& a, const Int16& b)
{
    const float step = float(Int16(kStepPerSlot) * (b - a));
    for (Int16 frame = 0; frame <= kFrames - 1; ++frame) {
        Shape1[a].setTop(rt::finite(Shape1[a].top() + step));
        Shape1[b].setTop(rt::finite(Shape1[b].top() - step));
        waitOneFrame();
        platform_.pump(); // repaints the bars here, and acts on a close here
    }

    // Each bar now covers the other's slot. With no pump in between, put both
    // home and move the data instead.
    Shape1[a].setTop(float(BarSlots::homeTop(a)));
    Shape1[b].setTop(float(BarSlots::homeTop(b)));

    const Int16 value = Values[a];
    Values[a] = Values[b];
    Values[b] = value;

    const rt::Colour colour = Shape1[a].fillColor();
    Shape1[a].setFillColor(Shape1[b].fillColor());
    Shape1[a].setBorderColor(Shape1[b].fillColor());
    Shape1[b].setFillColor(colour);
    Shape1[b].setBorderColor(colour);

    RefreshBars();
}

void Form1::waitOneFrame()
{
    // Spins on the clock rather than sleeping, so the pacing holds to the
    // clock's resolution. Start and threshold are single-precision seconds.
    // The clock is a time of day: a reading below the start means it passed
    // midnight (or was set back), and that ends the wait too.
    const float start = platform_.clock();
    const auto threshold = static_cast<float>(start + kFrameSeconds);
    float now = 0;
    do {
        now = platform_.clock();
    } while (now < threshold && now >= start);
}
