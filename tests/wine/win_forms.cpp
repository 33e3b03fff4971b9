// Small programs on the Windows platform for the real-window tests of what
// the program's own window does not show on demand. win_forms MODE:
//   messagebox     the load shows the message box; the window appears after OK
//   runtime-error  the load raises an overflow, which the default report shows
//   destroy        the window is destroyed after it shows, by no close request
//   dpichange      the program's window is told it moved to a monitor of 144
//                  dpi, and prints its buttons' font height before and its
//                  client size and font height after, then closes
//   scene          the program's window, posed in the still of an exchange
//   windows7       the program's window with every lookup of a function
//                  newer than Windows 7 failing, so that it takes the
//                  fallbacks that Windows 7 and 8.1 take
// Each but the last three prints "unloaded" when its unload handler runs,
// which ends it with 0.
#include "runtime/Runtime.h"
#include "runtime/win32/NewerFunctions.h"
#include "support/Scene.h"
#include "window/Form1.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{

std::string mode;

class TestForm final : public rt::Form
{
public:
    explicit TestForm(rt::Platform& platform)
        : platform_(platform)
    {
    }
    rt::FormLayout layout() override { return { "Form1", 6315, 4650, {} }; }
    void Form_Load() override
    {
        if (mode == "runtime-error")
            rt::raise(rt::ErrorKind::Overflow);
        if (mode == "messagebox")
            platform_.messageBox(
                { "Error in algorithm design!", "Error!", rt::Message::Icon::Critical, rt::Message::Buttons::OkOnly });
        if (mode == "destroy")
            SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
                KillTimer(nullptr, timer);
                DestroyWindow(FindWindowW(nullptr, L"Form1"));
                std::printf("destroyed, and still running\n");
            });
    }
    void Form_Unload(rt::Int16&) override
    {
        std::printf("unloaded\n");
        platform_.end(0);
    }

private:
    rt::Platform& platform_;
};

// The height of the font of the window's first button.
long buttonFontHeight(HWND form)
{
    LOGFONTW font {};
    HWND button = FindWindowExW(form, nullptr, L"Button", nullptr);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

void moveTo144Dpi(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND form = FindWindowW(nullptr, L"Form1");
    std::printf("font %ld\n", buttonFontHeight(form));
    RECT suggested { 10, 10, 700, 600 };
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(form, &client);
    std::printf("client %ld %ld\nfont %ld\n", client.right, client.bottom, buttonFontHeight(form));
    std::fflush(stdout);
    PostMessageW(form, WM_CLOSE, 0, 0);
}

} // namespace

int main(int argc, char** argv)
{
    mode = argc == 2 ? argv[1] : "";
    if (mode == "dpichange" || mode == "scene") {
        if (mode == "dpichange")
            SetTimer(nullptr, 0, 100, moveTo144Dpi);
        return rt::startUp(
            argc, argv, [](rt::Platform& platform) { return std::make_unique<scene::SceneForm>(platform); });
    }
    if (mode == "windows7") {
        rt::NewerFunctions::failLookups();
        return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<Form1>(platform); });
    }
    if (mode != "messagebox" && mode != "runtime-error" && mode != "destroy") {
        std::fprintf(stderr, "usage: win_forms messagebox|runtime-error|destroy|dpichange|scene|windows7\n");
        return 2;
    }
    return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<TestForm>(platform); });
}
