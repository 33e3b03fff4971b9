// Small programs on the Windows platform for the real-window tests of what
// the program's own window does not show on demand. win_forms MODE:
//   messagebox     the load shows the message box; the window appears after OK
//   runtime-error  the load raises an overflow, which the default report shows
//   destroy        the window is destroyed after it shows, by no close request
//   dpichange      the program's window is told it moved to a monitor of 144
//                  dpi, and prints its buttons' font height before and its
//                  client size and font height after, then closes
//   scene          the program's window, posed in the still of an exchange
//   windows7 FILE  the program's window with every lookup of a function
//                  newer than Windows 7 failing, so that it takes the
//                  fallbacks that Windows 7 and 8.1 take; writes to FILE
//                  its buttons' font and the system's message font at the
//                  system's dpi, each as "FACE, HEIGHT, WEIGHT"
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

std::string fontsFile;

std::string described(const LOGFONTW& font)
{
    char face[LF_FACESIZE * 4] = "";
    WideCharToMultiByte(CP_UTF8, 0, font.lfFaceName, -1, face, sizeof face, nullptr, nullptr);
    return std::string(face) + ", " + std::to_string(font.lfHeight) + ", " + std::to_string(font.lfWeight);
}

// What the system itself gives as its message font at its dpi, asked as
// Windows 10 asks, of a function the program under test does not use.
void writeFonts(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    LOGFONTW button {};
    HWND form = FindWindowW(nullptr, L"Form1");
    GetObjectW(
        reinterpret_cast<HFONT>(SendMessageW(FindWindowExW(form, nullptr, L"Button", nullptr), WM_GETFONT, 0, 0)),
        sizeof button, &button);
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    const auto forDpi = reinterpret_cast<ForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    HDC screen = GetDC(nullptr);
    const UINT dpi = UINT(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    if (forDpi)
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    if (FILE* out = std::fopen(fontsFile.c_str(), "w")) {
        std::fprintf(
            out, "button %s\nmessage %s\n", described(button).c_str(), described(metrics.lfMessageFont).c_str());
        std::fclose(out);
    }
}

} // namespace

int main(int argc, char** argv)
{
    mode = argc >= 2 ? argv[1] : "";
    if (mode == "dpichange" || mode == "scene") {
        if (mode == "dpichange")
            SetTimer(nullptr, 0, 100, moveTo144Dpi);
        return rt::startUp(
            argc, argv, [](rt::Platform& platform) { return std::make_unique<scene::SceneForm>(platform); });
    }
    if (mode == "windows7" && argc == 3) {
        fontsFile = argv[2];
        SetTimer(nullptr, 0, 100, writeFonts);
        rt::NewerFunctions::failLookups();
        return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<Form1>(platform); });
    }
    if (mode != "messagebox" && mode != "runtime-error" && mode != "destroy") {
        std::fprintf(stderr, "usage: win_forms messagebox|runtime-error|destroy|dpichange|scene|windows7 FILE\n");
        return 2;
    }
    return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<TestForm>(platform); });
}
