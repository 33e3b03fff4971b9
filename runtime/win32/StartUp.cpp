// Start-up: load the form, show its window, run the message loop.
#include "Win32Platform.h"
#include "Win32Window.h"
#include "runtime/Runtime.h"

#include <windows.h>
// windows.h first: these need its types.
#include <commctrl.h>
#include <objbase.h>

#include <memory>

namespace rt
{

int startUp(int, char**, const FormFactory& makeForm)
{
    // The chart that screen readers read is a COM object.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // The buttons in the system's visual styles: comctl32 6, which the
    // manifest asks for, provides them once it is loaded.
    INITCOMMONCONTROLSEX controls { sizeof controls, ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);

    static Win32Platform platform;
    static std::unique_ptr<Form> form;
    static std::unique_ptr<Win32Window> window;
    runEvent(platform, [&] {
        form = makeForm(platform);
        try {
            window = std::make_unique<Win32Window>(*form, platform);
        } catch (const WindowFailure& failure) {
            PlatformBase::cannotOpenWindow(failure.what());
        }
        platform.setWindow(window.get());
        window->load();
    });
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        platform.dispatch(&msg);
    platform.end(static_cast<int>(msg.wParam));
}

} // namespace rt
