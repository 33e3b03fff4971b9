#pragma once

#include <windows.h>

namespace rt
{

// The functions of Windows newer than 7 SP1 that the platform uses where the
// system has them, looked up at run time, so that one sortbars.exe starts on
// Windows 7 to 11. Each is null where the system lacks it, and the platform
// falls back:
// - per-monitor dpi v2 (Windows 10 1607): the window's own dpi, and the
//   frame, metrics and font for it;
// - per-monitor dpi (8.1): the monitor's dpi, and the system's metrics and
//   font scaled to it;
// - neither (7): the system's dpi;
// - the precise time of day (8): the coarse one, carried on by the
//   performance counter.
struct NewerFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr; // shcore.dll
    void(WINAPI* getSystemTimePreciseAsFileTime)(FILETIME*) = nullptr;

    // Looked up once, at the first call.
    static const NewerFunctions& get();

    // The seam that the tests of the fallbacks use: before the first get(),
    // makes every lookup fail, as on Windows 7.
    static void failLookups();
};

} // namespace rt
