#pragma once

#include "Colour.h"
#include "Controls.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// How twips become device pixels, for every platform alike. A scale is the
// device pixels per pixel of 96 dpi: 1 at 100%, 1.5 at 144 dpi, 2 on a
// typical HiDPI screen. At scale 1, 15 twips make one pixel.
namespace rt
{

inline constexpr float kTwipsPerPixel = 15;
inline constexpr int kBaseDpi = 96;

// A rectangle of device pixels; right and bottom are one past the last pixel.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The part that both have; empty where they do not meet.
PixelRect intersected(const PixelRect& a, const PixelRect& b);
// The smallest rectangle that holds both; an empty one adds nothing.
PixelRect united(const PixelRect& a, const PixelRect& b);

// A length or position in twips as whole pixels at a scale.
int toPixels(float twips, double scale = 1);
// Where a button or the client area goes: position and size rounded each on
// its own, so that controls of equal size stay equal wherever they are.
PixelRect controlRect(const TwipRect& twips, double scale = 1);

// Where a bar is drawn: each edge rounded to the nearest device pixel, so
// that bars are crisp at any scale and neighbours meet without a gap.
PixelRect barRect(const Bar& bar, double scale);
// The border of a bar, one pixel at 96 dpi and as many as the scale rounds to.
inline int borderWidth(double scale)
{
    return std::max(1, static_cast<int>(std::lround(scale)));
}
// What to repaint when a bar has moved or changed its width: every pixel that
// it covered before or covers now, whichever way its edges rounded.
PixelRect repaintArea(const Bar& bar, float oldTop, float oldWidth, double scale);

// How much a window of NEEDED pixels shrinks to fit the AVAILABLE space, a
// phone's screen, say: as the tighter side needs, never above 1, and never
// below kMinFit, where a window too small to use would be no help.
inline constexpr double kMinFit = 0.25;
double fitScale(double availableWidth, double availableHeight, double neededWidth, double neededHeight);

// Fills a rectangle of device pixels with one colour.
using PaintFill = std::function<void(const PixelRect& rect, Colour colour)>;

// Draws the bars onto a board already cleared to its ground, inside DIRTY
// only: each bar a rectangle of its border colour with its fill colour
// inside. Bars at rest go first, in the order given (the layout's); the
// sliding ones go over them. Every rectangle passed to FILL lies inside DIRTY.
void paintBars(const std::vector<const Bar*>& bars, const PixelRect& dirty, double scale, const PaintFill& fill);

} // namespace rt
