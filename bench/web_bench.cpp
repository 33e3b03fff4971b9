// Times exchanges and a whole Push-sort in the page, and the pumps inside
// them, as bench/exchange_bench does on the desktop. Built for the browser;
// bench/web.sh runs it in headless Chromium and prints what it says.
#include "ExchangeRun.h"

#include "runtime/web/WebPlatform.h"
#include "runtime/web/WebWindow.h"

#include <emscripten.h>

int main()
{
    static bench::TimedPlatform<rt::WebPlatform> platform;
    static Form1 form(platform);
    static rt::WebWindow window(form, platform);
    platform.inner.setWindow(&window);
    window.load();
    platform.pump(); // the first frame on the screen
    bench::run(form, platform);
    std::printf("bench: done\n");
}
