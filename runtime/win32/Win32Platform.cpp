#include "Win32Platform.h"

#include "CountedClock.h"
#include "NewerFunctions.h"
#include "Text.h"
#include "Win32Window.h"

#include <windows.h>

namespace rt
{

double Win32Platform::unixSeconds() const
{
    // GetSystemTimePreciseAsFileTime reads the performance counter, to well
    // under a microsecond. GetSystemTimeAsFileTime advances only at the
    // timer tick, about 15.6 ms on Windows, which would pace the animation
    // in steps of a whole frame; Wine's version of it reads the host clock
    // to the microsecond, so a run under Wine cannot show that. So where the
    // precise one is missing (Windows 7), the coarse time is read once and
    // carried on by the performance counter, which Windows 7 has.
    FILETIME utc;
    if (const auto precise = NewerFunctions::get().getSystemTimePreciseAsFileTime) {
        precise(&utc);
        return unixSecondsOf(utc);
    }
    static const CountedClock counted;
    return counted.unixSeconds();
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

} // namespace rt
