// Prints where the window's controls land in pixels at 96 dpi, from Form1's
// own layout table, for the real-window tests and the picture recorder:
//   client WIDTH HEIGHT
//   button X Y WIDTH HEIGHT CAPTION     (in layout order)
//   bar INDEX X Y LONGEST HEIGHT        (bar 0 at the top; LONGEST for the largest value)
#include "board/BarSlots.h"
#include "runtime/qt/Twips.h"
#include "support/ScriptedPlatform.h"
#include "window/Form1.h"

#include <cstdio>
#include <variant>

int main()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    const rt::FormLayout layout = form.layout();
    std::printf("client %d %d\n", rt::twipsToPixels(layout.clientWidth), rt::twipsToPixels(layout.clientHeight));
    for (const rt::Control& control : layout.controls)
        if (const rt::Button* const* button = std::get_if<rt::Button*>(&control)) {
            const QRect r = rt::twipsToPixels((*button)->rect());
            std::printf("button %d %d %d %d %s\n", r.x(), r.y(), r.width(), r.height(), (*button)->caption().c_str());
        }
    for (int i = 0; i < BarSlots::kCount; ++i) {
        const rt::Bar& bar = form.Shape1[i];
        const int left = rt::twipsToPixels(bar.left()), top = rt::twipsToPixels(bar.top());
        std::printf("bar %d %d %d %d %d\n", i, left, top,
            rt::twipsToPixels(bar.left() + float(BarSlots::kValueRange - 1)) - left,
            rt::twipsToPixels(bar.top() + bar.height()) - top);
    }
}
