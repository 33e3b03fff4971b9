// What the real-window tests under Wine read of the program's window, as
// another process sees it, a line a fact:
//   win_probe window   client W H / dpi N / button X Y W H enabled|disabled CAPTION
//                      (in tab order) / focus CAPTION|none
//   win_probe chart    through MSAA, as a screen reader reads it: control NAME for
//                      each other child (Wine gives buttons the client role, not
//                      push button), chart NAME COUNT, the form's client origin
//                      on the screen as origin X Y, then item NAME VALUE ROLE
//                      X Y W H, each bar's location in screen coordinates
//                      frame fixed|sizable maximize|no-maximize
//   win_probe file EXE version V / icons N (the images of its first icon)
//   win_probe box      the message box: title T / text T / owner Form1|other /
//                      button CAPTION for each of its buttons
//   win_probe events   listening, then child ID for each value change that the
//                      board announces, for 60 s or until it is stopped
// It exits with 1 while there is no window titled Form1.
#include <windows.h>
// windows.h first: oleacc.h needs its types.
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

std::string narrow(const wchar_t* text)
{
    char buffer[512];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer) : std::string();
}

std::string windowText(HWND hwnd)
{
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    return narrow(text);
}

HWND formWindow()
{
    return FindWindowW(nullptr, L"Form1");
}

int window(HWND form)
{
    RECT client;
    GetClientRect(form, &client);
    std::printf("client %ld %ld\n", client.right, client.bottom);
    std::printf("dpi %u\n", GetDpiForWindow(form));
    const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
    std::printf("frame %s %s\n", style & WS_THICKFRAME ? "sizable" : "fixed",
        style & WS_MAXIMIZEBOX ? "maximize" : "no-maximize");
    GUITHREADINFO thread {};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread);
    std::string focus = "none";
    // The children in z-order, which is the dialog manager's tab order.
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[64] = L"";
        GetClassNameW(child, cls, 64);
        if (lstrcmpiW(cls, L"Button") != 0)
            continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        std::printf("button %ld %ld %ld %ld %s %s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
            IsWindowEnabled(child) ? "enabled" : "disabled", windowText(child).c_str());
        if (child == thread.hwndFocus)
            focus = windowText(child);
    }
    std::printf("focus %s\n", focus.c_str());
    return 0;
}

std::string name(IAccessible* object, long id)
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    BSTR text = nullptr;
    std::string result = "?";
    if (object->get_accName(child, &text) == S_OK && text)
        result = narrow(text);
    SysFreeString(text);
    return result;
}

long role(IAccessible* object, long id)
{
    VARIANT child, value;
    child.vt = VT_I4;
    child.lVal = id;
    VariantInit(&value);
    return object->get_accRole(child, &value) == S_OK && value.vt == VT_I4 ? value.lVal : -1;
}

int file(const char* path)
{
    wchar_t name[MAX_PATH];
    MultiByteToWideChar(CP_UTF8, 0, path, -1, name, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeW(name, nullptr));
    wchar_t* version = nullptr;
    UINT length = 0;
    if (info.empty() || !GetFileVersionInfoW(name, 0, static_cast<DWORD>(info.size()), info.data())
        || !VerQueryValueW(
            info.data(), L"\\StringFileInfo\\040904B0\\FileVersion", reinterpret_cast<void**>(&version), &length))
        return 1;
    std::printf("version %s\n", narrow(version).c_str());
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC group = module ? FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON) : nullptr;
    HGLOBAL data = group ? LoadResource(module, group) : nullptr;
    // A group icon's header is three 16-bit words: reserved, type, count.
    const auto* header = data ? static_cast<const WORD*>(LockResource(data)) : nullptr;
    std::printf("icons %u\n", header ? header[2] : 0u);
    return 0;
}

int box()
{
    // A message box is a dialog of the system's class. The program's is the
    // visible one of its process: Wine keeps hidden dialogs of its own.
    struct Search {
        DWORD process;
        HWND dialog;
    } search { 0, nullptr };
    GetWindowThreadProcessId(formWindow(), &search.process);
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t cls[64] = L"";
            GetClassNameW(hwnd, cls, 64);
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(hwnd) && process == s->process) {
                s->dialog = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    HWND dialog = search.dialog;
    if (!dialog)
        return 1;
    std::printf("title %s\n", windowText(dialog).c_str());
    const HWND owner = GetWindow(dialog, GW_OWNER);
    std::printf("owner %s\n", owner && owner == formWindow() ? "Form1" : "other");
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[64] = L"";
        GetClassNameW(child, cls, 64);
        if (lstrcmpiW(cls, L"Button") == 0)
            std::printf("button %s\n", windowText(child).c_str());
        else if (lstrcmpiW(cls, L"Static") == 0 && !windowText(child).empty())
            std::printf("text %s\n", windowText(child).c_str());
    }
    return 0;
}

int chart(HWND form)
{
    IAccessible* client = nullptr;
    const HRESULT found
        = AccessibleObjectFromWindow(form, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&client));
    if (found != S_OK) {
        std::fprintf(
            stderr, "win_probe: the window has no accessible object (0x%08lx)\n", static_cast<unsigned long>(found));
        return 1;
    }
    long count = 0;
    client->get_accChildCount(&count);
    VARIANT children[32];
    long got = 0;
    AccessibleChildren(client, 0, count < 32 ? count : 32, children, &got);
    int status = 1;
    for (long i = 0; i < got; ++i) {
        IAccessible* object = nullptr;
        if (children[i].vt == VT_DISPATCH && children[i].pdispVal)
            children[i].pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
        VariantClear(&children[i]);
        if (!object)
            continue;
        // A child window's entry is its window object; its client is what it shows.
        IAccessible* shown = nullptr;
        HWND hwnd = nullptr;
        if (WindowFromAccessibleObject(object, &hwnd) == S_OK && hwnd)
            AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&shown));
        if (!shown) {
            shown = object;
            shown->AddRef();
        }
        const long r = role(shown, CHILDID_SELF);
        if (r == ROLE_SYSTEM_CHART) {

            long items = 0;
            shown->get_accChildCount(&items);
            std::printf("chart %s %ld\n", name(shown, CHILDID_SELF).c_str(), items);
            POINT origin { 0, 0 };
            ClientToScreen(form, &origin);
            std::printf("origin %ld %ld\n", origin.x, origin.y);
            for (long id = 1; id <= items; ++id) {
                VARIANT child;
                child.vt = VT_I4;
                child.lVal = id;
                BSTR value = nullptr;
                shown->get_accValue(child, &value);
                long x = -1, y = -1, w = -1, h = -1;
                shown->accLocation(&x, &y, &w, &h, child);
                std::printf("item %s %s %s %ld %ld %ld %ld\n", name(shown, id).c_str(),
                    value ? narrow(value).c_str() : "?",
                    role(shown, id) == ROLE_SYSTEM_PROGRESSBAR ? "progressbar" : "other", x, y, w, h);
                SysFreeString(value);
            }
            status = 0;
        } else {
            std::printf("control %s\n", name(shown, CHILDID_SELF).c_str());
        }
        shown->Release();
        object->Release();
    }
    client->Release();
    return status;
}

void CALLBACK valueChanged(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    wchar_t cls[64] = L"";
    GetClassNameW(hwnd, cls, 64);
    if (object == OBJID_CLIENT && lstrcmpW(cls, L"SortbarsBoard") == 0) {
        std::printf("child %ld\n", static_cast<long>(child));
        std::fflush(stdout);
    }
}

int events(HWND form)
{
    DWORD process = 0;
    GetWindowThreadProcessId(form, &process);
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, valueChanged, process, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook)
        return 1;
    std::printf("listening\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + 60'000;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    UnhookWinEvent(hook);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc >= 2 ? argv[1] : "";
    if (what == "file" && argc == 3)
        return file(argv[2]);
    if (what != "window" && what != "chart" && what != "events" && what != "box") {
        std::fprintf(stderr, "usage: win_probe window|chart|box|events|file EXE\n");
        return 2;
    }
    if (what == "box")
        return box();
    // Coordinates in the window's own device pixels: a probe unaware of dpi
    // would be shown them scaled to 96 dpi, as Wine 10 and Windows do.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    HWND form = formWindow();
    if (!form)
        return 1;
    if (what == "window")
        return window(form);
    if (what == "events")
        return events(form);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int status = chart(form);
    CoUninitialize();
    return status;
}
