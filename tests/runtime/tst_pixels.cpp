// Twips to device pixels at the scales of common screens: where controls and
// bars land, what a moving bar repaints, and the order bars are painted in.
#include "runtime/Pixels.h"
#include "runtime/PlatformBase.h"

#include <doctest/doctest.h>

#include <cmath>
#include <vector>

namespace
{

constexpr double kScales[] = { 1, 1.25, 1.5, 2 };

rt::Bar barAt(float top, float width, rt::Colour colour)
{
    rt::Bar bar;
    bar.place({ 360, top, width, 255 });
    bar.setFillColor(colour);
    bar.setBorderColor(colour);
    return bar;
}

bool contains(const rt::PixelRect& outer, const rt::PixelRect& inner)
{
    return inner.empty() || rt::united(outer, inner) == outer;
}

struct Fill {
    rt::PixelRect rect;
    rt::Colour colour;
};

} // namespace

TEST_CASE("buttons and the client area keep their sizes at every scale")
{
    // The program's Randomize button and client area, worked out by hand.
    const struct {
        double scale;
        rt::PixelRect button, client;
    } rows[] = {
        { 1, { 320, 24, 409, 57 }, { 0, 0, 421, 310 } },
        { 1.25, { 400, 30, 511, 71 }, { 0, 0, 526, 388 } },
        { 1.5, { 480, 36, 614, 86 }, { 0, 0, 632, 465 } },
        { 2, { 640, 48, 818, 114 }, { 0, 0, 842, 620 } },
    };
    for (const auto& row : rows) {
        CAPTURE(row.scale);
        CHECK(rt::controlRect({ 4800, 360, 1335, 495 }, row.scale) == row.button);
        CHECK(rt::controlRect({ 0, 0, 6315, 4650 }, row.scale) == row.client);
        // A lower button of the column is exactly as large, wherever its edges fall.
        const rt::PixelRect lower = rt::controlRect({ 4800, 2520, 1335, 495 }, row.scale);
        CHECK(lower.width() == row.button.width());
        CHECK(lower.height() == row.button.height());
    }
}

TEST_CASE("a window shrinks to fit a small screen by its tighter side, and never grows")
{
    // The window's client area with its title bar: 421 by 338 CSS pixels.
    const struct {
        double width, height, fit;
    } rows[] = {
        { 1280, 800, 1 }, // a desktop: as designed
        { 421, 338, 1 }, // exactly enough
        { 320 - 18, 568, (320 - 18) / 421.0 }, // a phone upright: its width decides
        { 568 - 18, 320 - 18, (320 - 18) / 338.0 }, // the phone on its side: its height decides
        { 40, 40, rt::kMinFit }, // an iframe too small to use
    };
    for (const auto& row : rows) {
        CAPTURE(row.width);
        CAPTURE(row.height);
        CHECK(rt::fitScale(row.width, row.height, 421, 338) == doctest::Approx(row.fit));
    }
}

TEST_CASE("neighbouring bars share one device row at rest, and a border is a whole number of pixels")
{
    for (double scale : kScales) {
        CAPTURE(scale);
        const rt::Bar upper = barAt(240, 100, 1), lower = barAt(480, 100, 2);
        const rt::PixelRect a = rt::barRect(upper, scale), b = rt::barRect(lower, scale);
        CHECK(a.left == std::lround(24 * scale));
        CHECK(a.bottom - b.top == 1 * std::lround(scale)); // the one pixel row of 96 dpi, scaled
        CHECK(rt::borderWidth(scale) == std::max(1L, std::lround(scale)));
    }
    CHECK(rt::barRect(barAt(240, 0, 1), 1.5).empty()); // a bar of width 0 shows nothing
}

TEST_CASE("a moved or resized bar repaints every pixel it covered and covers, and little more")
{
    const struct {
        const char* name;
        float oldTop, oldWidth, top, width;
    } moves[] = {
        { "one frame of neighbours", 1200, 1007, 1208, 1007 },
        { "one frame of the far bars", 240, 3009, 360, 3009 },
        { "one frame up, its top between pixels", 1224, 1007, 1216, 1007 },
        { "back home up the board", 3840, 22, 240, 22 },
        { "longer", 1200, 7, 1200, 4095 },
        { "shorter", 1200, 4095, 1200, 8 },
        { "from nothing", 1200, 0, 1200, 23 },
    };
    for (double scale : kScales)
        for (const auto& move : moves) {
            CAPTURE(scale);
            CAPTURE(move.name);
            rt::Bar bar = barAt(move.oldTop, move.oldWidth, 1);
            const rt::PixelRect before = rt::barRect(bar, scale);
            bar.setTop(move.top);
            bar.setWidth(move.width);
            const rt::PixelRect after = rt::barRect(bar, scale);
            const rt::PixelRect area = rt::repaintArea(bar, move.oldTop, move.oldWidth, scale);
            CHECK(contains(area, before));
            CHECK(contains(area, after));
            const rt::PixelRect both = rt::united(before, after);
            CHECK(area.left >= both.left - 1);
            CHECK(area.top >= both.top - 1);
            CHECK(area.right <= both.right + 1);
            CHECK(area.bottom <= both.bottom + 1);
        }
}

TEST_CASE("bars at rest are painted first in the layout's order, sliding ones over them, inside the dirty area only")
{
    rt::Bar lower = barAt(480, 600, 0xA), sliding = barAt(240, 600, 0xB), upper = barAt(240, 600, 0xC);
    sliding.setTop(400); // on its way down over the others
    const std::vector<const rt::Bar*> layout { &lower, &sliding, &upper };
    for (double scale : kScales) {
        CAPTURE(scale);
        const rt::PixelRect dirty { 0, 0, int(50 * scale), int(40 * scale) };
        std::vector<Fill> fills;
        rt::paintBars(layout, dirty, scale, [&](const rt::PixelRect& r, rt::Colour c) { fills.push_back({ r, c }); });

        std::vector<rt::Colour> order;
        for (const Fill& f : fills) {
            CHECK(contains(dirty, f.rect));
            if (order.empty() || order.back() != f.colour)
                order.push_back(f.colour);
        }
        CHECK(order == std::vector<rt::Colour> { 0xA, 0xC, 0xB });
        // The sliding bar's border and fill together cover its whole drawn rectangle in the dirty area.
        rt::PixelRect covered;
        for (const Fill& f : fills)
            if (f.colour == 0xB)
                covered = rt::united(covered, f.rect);
        CHECK(covered == rt::intersected(rt::barRect(sliding, scale), dirty));
    }
}

TEST_CASE("the clock reads the local time of day, fraction and all")
{
    const double noon = 1768478400.25; // 15 January 2026, 12:00:00.25 UTC: no change of time that week
    const float today = rt::PlatformBase::localTimeOfDay(noon);
    CHECK(today >= 0);
    CHECK(today < 86400);
    CHECK(today - std::floor(today) == doctest::Approx(0.25));
    CHECK(rt::PlatformBase::localTimeOfDay(noon + 86400) == today);
    CHECK(rt::PlatformBase::localTimeOfDay(noon + 0.5) - today == doctest::Approx(0.5));
}
