#include "Pixels.h"

namespace rt
{

namespace
{
double devicePixels(float twips, double scale)
{
    return double(twips) * scale / kTwipsPerPixel;
}
} // namespace

PixelRect intersected(const PixelRect& a, const PixelRect& b)
{
    const PixelRect r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
    return r.empty() ? PixelRect {} : r;
}

PixelRect united(const PixelRect& a, const PixelRect& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
        std::max(a.bottom, b.bottom) };
}

int toPixels(float twips, double scale)
{
    return static_cast<int>(std::lround(devicePixels(twips, scale)));
}

PixelRect controlRect(const TwipRect& twips, double scale)
{
    const int left = toPixels(twips.left, scale), top = toPixels(twips.top, scale);
    return { left, top, left + toPixels(twips.width, scale), top + toPixels(twips.height, scale) };
}

double fitScale(double availableWidth, double availableHeight, double neededWidth, double neededHeight)
{
    return std::clamp(std::min(availableWidth / neededWidth, availableHeight / neededHeight), kMinFit, 1.0);
}

PixelRect barRect(const Bar& bar, double scale)
{
    return { toPixels(bar.left(), scale), toPixels(bar.top(), scale), toPixels(bar.left() + bar.width(), scale),
        toPixels(bar.top() + bar.height(), scale) };
}

PixelRect repaintArea(const Bar& bar, float oldTop, float oldWidth, double scale)
{
    // Rounded outwards: a rounding that moves an edge by a pixel cannot
    // leave that pixel out.
    const auto down = [scale](float twips) { return static_cast<int>(std::floor(devicePixels(twips, scale))); };
    const auto up = [scale](float twips) { return static_cast<int>(std::ceil(devicePixels(twips, scale))); };
    const auto covered = [&](float top, float width) {
        if (width <= 0)
            return PixelRect {};
        return PixelRect { down(bar.left()), down(top), up(bar.left() + width), up(top + bar.height()) };
    };
    return united(covered(oldTop, oldWidth), covered(bar.top(), bar.width()));
}

void paintBars(const std::vector<const Bar*>& bars, const PixelRect& dirty, double scale, const PaintFill& fill)
{
    const int border = borderWidth(scale);
    const auto paint = [&](const Bar& bar) {
        const PixelRect outside = barRect(bar, scale);
        const PixelRect part = intersected(outside, dirty);
        if (part.empty()) // also a bar of width 0
            return;
        fill(part, bar.borderColor());
        const PixelRect inside { outside.left + border, outside.top + border, outside.right - border,
            outside.bottom - border };
        const PixelRect fillPart = intersected(inside, dirty);
        if (!fillPart.empty())
            fill(fillPart, bar.fillColor());
    };
    for (const Bar* bar : bars)
        if (bar->atHome())
            paint(*bar);
    for (const Bar* bar : bars)
        if (!bar->atHome())
            paint(*bar);
}

} // namespace rt
