// Times exchanges and a whole Push-sort in the Windows window, and the pumps
// inside them, as bench/exchange_bench does on the desktop. Built for
// Windows; bench/wine.sh runs it under Wine.
#include "ExchangeRun.h"

#include "runtime/win32/Win32Platform.h"
#include "runtime/win32/Win32Window.h"

int main()
{
    static bench::TimedPlatform<rt::Win32Platform> platform;
    static Form1 form(platform);
    static rt::Win32Window window(form, platform);
    platform.inner.setWindow(&window);
    window.load();
    platform.pump(); // the first frame on the screen
    bench::run(form, platform);
    std::printf("bench: done\n");
    std::fflush(stdout);
}
