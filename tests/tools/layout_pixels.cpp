// Prints where the window's controls land in pixels, from Form1's own layout
// table, for the real-window tests and the picture recorder:
//   client WIDTH HEIGHT
//   button X Y WIDTH HEIGHT CAPTION     (in layout order)
//   bar INDEX X Y LONGEST HEIGHT        (bar 0 at the top; LONGEST for the largest value)
//   drawn INDEX X Y WIDTH HEIGHT        (for each VALUE given: bar INDEX that long)
// at 96 dpi, or at the scale given as its first argument (1.5 for 144 dpi):
//   layout_pixels [SCALE [VALUE...]]
#include "board/BarSlots.h"
#include "runtime/FormHost.h"
#include "support/ScriptedPlatform.h"
#include "window/Form1.h"

#include <cstdio>
#include <cstdlib>
#include <variant>

int main(int argc, char** argv)
{
    const double scale = argc > 1 ? std::atof(argv[1]) : 1;
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    const rt::FormHost host(form, platform);
    const rt::PixelRect client = host.clientRect(scale);
    std::printf("client %d %d\n", client.width(), client.height());
    for (const rt::Control& control : host.layout().controls)
        if (const rt::Button* const* button = std::get_if<rt::Button*>(&control)) {
            const rt::PixelRect r = rt::controlRect((*button)->rect(), scale);
            std::printf("button %d %d %d %d %s\n", r.left, r.top, r.width(), r.height(), (*button)->caption().c_str());
        }
    for (int i = 0; i < BarSlots::kCount; ++i) {
        rt::Bar longest = form.Shape1[i];
        longest.setWidth(float(BarSlots::kValueRange - 1));
        const rt::PixelRect r = rt::barRect(longest, scale);
        std::printf("bar %d %d %d %d %d\n", i, r.left, r.top, r.width(), r.height());
    }
    for (int i = 0; i < BarSlots::kCount && i + 2 < argc; ++i) {
        rt::Bar bar = form.Shape1[i];
        bar.setWidth(float(std::atof(argv[i + 2])));
        const rt::PixelRect r = rt::barRect(bar, scale);
        std::printf("drawn %d %d %d %d %d\n", i, r.left, r.top, r.width(), r.height());
    }
}
