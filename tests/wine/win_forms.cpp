// Small programs on the Windows platform for the real-window tests of what
// the program's own window does not show on demand. win_forms MODE:
//   messagebox     the load shows the message box; the window appears after OK
//   runtime-error  the load raises an overflow, which the default report shows
//   destroy        the window is destroyed after it shows, by no close request
//   dpichange      the window is told it moved to a monitor of 144 dpi, and
//                  prints its client size after, then closes
// Each prints "unloaded" when its unload handler runs, which ends it with 0.
#include "runtime/Runtime.h"

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
        if (mode == "dpichange")
            SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
                KillTimer(nullptr, timer);
                HWND form = FindWindowW(nullptr, L"Form1");
                RECT suggested { 10, 10, 700, 600 };
                SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
                RECT client;
                GetClientRect(form, &client);
                std::printf("client %ld %ld\n", client.right, client.bottom);
                PostMessageW(form, WM_CLOSE, 0, 0);
            });
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

} // namespace

int main(int argc, char** argv)
{
    mode = argc == 2 ? argv[1] : "";
    if (mode != "messagebox" && mode != "runtime-error" && mode != "destroy" && mode != "dpichange") {
        std::fprintf(stderr, "usage: win_forms messagebox|runtime-error|destroy|dpichange\n");
        return 2;
    }
    return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<TestForm>(platform); });
}
