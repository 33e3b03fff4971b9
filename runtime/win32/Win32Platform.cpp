#include "Win32Platform.h"

#include "Text.h"
#include "Win32Window.h"

#include <windows.h>

#include <cstdio>

namespace rt
{

float Win32Platform::clock()
{
    // GetSystemTimePreciseAsFileTime reads the performance counter, to well
    // under a microsecond. GetLocalTime and GetSystemTimeAsFileTime advance
    // only at the timer tick, about 15.6 ms on Windows, which would pace the
    // animation in steps of a whole frame; Wine's versions of them read the
    // host clock to the microsecond, so a run under Wine cannot show that.
    FILETIME utc, local;
    GetSystemTimePreciseAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    constexpr unsigned long long kTicksPerSecond = 10'000'000; // FILETIME counts 100 ns
    constexpr unsigned long long kTicksPerDay = 86'400 * kTicksPerSecond;
    const unsigned long long ticks
        = (static_cast<unsigned long long>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    return static_cast<float>(static_cast<double>(ticks % kTicksPerDay) / kTicksPerSecond);
}

void Win32Platform::dispatch(const void* message)
{
    MSG msg = *static_cast<const MSG*>(message);
    if (window_ && IsDialogMessageW(window_->handle(), &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Platform::pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            end(static_cast<int>(msg.wParam));
        dispatch(&msg);
    }
}

void Win32Platform::messageBox(const Message& message)
{
    // Message has one icon and one button set today: a critical stop with OK.
    MessageBoxW(window_ ? window_->handle() : nullptr, widen(message.text).c_str(), widen(message.title).c_str(),
        MB_OK | MB_ICONERROR);
}

void Win32Platform::end(int status)
{
    // At once: no unwinding and no destructors, so that a close in the middle
    // of a sort never returns into the sort.
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(status));
}

} // namespace rt
