// Times exchanges and a whole Push-sort in the page, and the pumps inside
// them, as bench/exchange_bench does on the desktop; and counts the frames
// the browser paints while they run, against the rate it paints when idle.
// Built for the browser; bench/web.sh runs it in each engine and prints the
// lines it leaves in window.benchLines.
#include "ExchangeRun.h"

#include "runtime/web/WebPlatform.h"
#include "runtime/web/WebWindow.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, sbReport, (const char* line), {
    (window.benchLines = window.benchLines || []).push(UTF8ToString(line).trimEnd());
});

// The engine's frame rate over a second while the page is still, and while
// it redraws a canvas of the board's size at every frame, with nothing else
// running: the most it paints a changing picture.
EM_ASYNC_JS(void, sbMeasureIdle, (), {
    const rate = (draw) => new Promise((resolve) => {
        let frames = 0, start = 0;
        const tick = (time) => {
            if (!start) start = time;
            else frames++;
            if (draw) draw(frames);
            if (time - start < 1000) requestAnimationFrame(tick);
            else resolve(frames * 1000 / (time - start));
        };
        requestAnimationFrame(tick);
    });
    window.benchLines = window.benchLines || [];
    const still = await rate(null);
    const canvas = document.createElement('canvas');
    canvas.width = Module.sortbars.canvas.width;
    canvas.height = Module.sortbars.canvas.height;
    document.body.append(canvas);
    const g = canvas.getContext('2d', { alpha: false });
    const moving = await rate((i) => { g.fillStyle = i & 1 ? '#c04040' : '#40c040'; g.fillRect(0, 0, canvas.width, canvas.height); });
    canvas.remove();
    window.benchCanvasRate = moving;
    window.benchLines.push('idle: ' + still.toFixed(1) + ' frames/s while still, ' + moving.toFixed(1)
                           + ' frames/s redrawing a canvas');
});

// From now on, counts the frames the browser renders with a new picture of
// the board: a frame callback after the program drew.
EM_JS(void, sbCountPaints, (), {
    const proto = CanvasRenderingContext2D.prototype, fill = proto.fillRect;
    const c = window.benchCount = { draws: 0, seen: 0, painted: 0, start: performance.now(), on: true };
    proto.fillRect = function () { c.draws++; return fill.apply(this, arguments); };
    const tick = () => {
        if (c.draws != c.seen) { c.seen = c.draws; c.painted++; }
        if (c.on) requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
});

EM_JS(void, sbReportPaints, (), {
    const c = window.benchCount, rate = c.painted * 1000 / (performance.now() - c.start);
    c.on = false;
    window.benchLines.push('painted during the sorts: ' + rate.toFixed(1) + ' frames/s, '
                           + (rate / window.benchCanvasRate).toFixed(2) + ' of the bare canvas rate (goal >= 0.8)');
});
// clang-format on

int main()
{
    bench::report = sbReport;
    static bench::TimedPlatform<rt::WebPlatform> platform;
    static Form1 form(platform);
    static rt::WebWindow window(form, platform);
    platform.inner.setWindow(&window);
    window.load();
    platform.pump(); // the first frame on the screen
    sbMeasureIdle();
    sbCountPaints();
    bench::run(form, platform);
    sbReportPaints();
    bench::say("bench: done\n");
}
