#include "Win32Window.h"

#include "NewerFunctions.h"
#include "Resources.h"
#include "Text.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace rt
{

namespace
{

constexpr wchar_t kClassName[] = L"SortbarsForm";
// A fixed-size window: a caption with the system menu and minimize, no
// sizing frame and no maximize.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
// Child ids of the buttons. They start above the dialog manager's own ids:
// Enter presses the focused button, and the IDOK that it sends for Enter
// where no button has the focus presses none.
constexpr int kFirstButtonId = 100;

HINSTANCE instance()
{
    return GetModuleHandleW(nullptr);
}

// The system's reason for the last failed call, in one line.
std::string lastError()
{
    const DWORD code = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string line = text ? text : "";
    LocalFree(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == '.'))
        line.pop_back();
    return "the system would not create it (error " + std::to_string(code) + (line.empty() ? "" : ": " + line) + ")";
}
// The dpi of the system: the primary monitor's when the user logged on.
unsigned systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? unsigned(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The dpi the window is drawn at: its own (Windows 10 1607 on), its
// monitor's (8.1), or the system's (7).
unsigned windowDpi(HWND hwnd)
{
    const NewerFunctions& newer = NewerFunctions::get();
    if (newer.getDpiForWindow)
        return newer.getDpiForWindow(hwnd);
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    if (newer.getDpiForMonitor
        && SUCCEEDED(newer.getDpiForMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y))
        && x > 0)
        return x;
    return systemDpi();
}

// A system metric at DPI. Before Windows 10 1607 the system gives its
// metrics at the system's dpi only, so they are scaled from there.
int systemMetric(int index, unsigned dpi)
{
    if (const auto forDpi = NewerFunctions::get().getSystemMetricsForDpi)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), int(dpi), int(systemDpi()));
}

// The system's message font at DPI, scaled from the system's dpi where the
// system gives it only there.
LOGFONTW messageFont(unsigned dpi)
{
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    if (const auto forDpi = NewerFunctions::get().systemParametersInfoForDpi) {
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        return metrics.lfMessageFont;
    }
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), int(systemDpi()));
    return metrics.lfMessageFont;
}

// The window's frame around a client area of FRAME at DPI: before Windows 10
// 1607 the system draws it at its own dpi, as it predicts it here.
void adjustFrame(RECT& frame, unsigned dpi)
{
    if (const auto forDpi = NewerFunctions::get().adjustWindowRectExForDpi)
        forDpi(&frame, kStyle, FALSE, kExStyle, dpi);
    else
        AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
}

} // namespace

WindowFailure::WindowFailure()
    : std::runtime_error(lastError())
{
}

Win32Window::Win32Window(Form& form, Platform& platform)
    : host_(form, platform)
{
    [[maybe_unused]] static const bool registered = (registerClass(), Win32BarsView::registerClass(), true);
    // Creation sends the first messages, which handle() already takes.
    hwnd_ = CreateWindowExW(kExStyle, kClassName, widen(host_.layout().caption).c_str(), kStyle, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance(), this);
    if (!hwnd_)
        throw WindowFailure();
    dpi_ = windowDpi(hwnd_);
    bars_ = std::make_unique<Win32BarsView>(hwnd_, host_);

    // The dialog manager tabs through the children in their z-order, so the
    // buttons are made in tab order, above the board.
    for (const Button* button : host_.buttons()) {
        const int id = kFirstButtonId + static_cast<int>(buttons_.size());
        HWND hwnd = CreateWindowExW(0, WC_BUTTONW, widen(button->caption()).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
        if (!hwnd)
            throw WindowFailure();
        EnableWindow(hwnd, button->enabled());
        buttons_.push_back(hwnd);
    }
    applyDpi();
    host_.attach(*this);
}

Win32Window::~Win32Window()
{
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0); // so that WM_DESTROY does not take this for the end
    DestroyWindow(hwnd_);
    if (font_)
        DeleteObject(font_);
    for (HICON icon : icons_)
        if (icon)
            DestroyIcon(icon);
}

void Win32Window::load()
{
    host_.load();
    ShowWindow(hwnd_, SW_SHOWDEFAULT);
    UpdateWindow(hwnd_);
}

void Win32Window::registerClass()
{
    WNDCLASSEXW wc {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Win32Window::procedure;
    wc.hInstance = instance();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

LRESULT CALLBACK Win32Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Win32Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->handle(message, wParam, lParam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && indexOf(reinterpret_cast<HWND>(lParam)) != kNoButton)
            host_.click(indexOf(reinterpret_cast<HWND>(lParam)));
        return 0;
    case WM_ACTIVATE:
        // Not DefWindowProc's: it would put the focus on the window itself.
        host_.activated(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        host_.close();
        return 0;
    case WM_DESTROY:
        // Destroyed by any means but the window's own destructor.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        host_.destroyed();
        return 0; // not reached: the program has ended
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        host_.runEvent([this] { applyDpi(); }); // nothing may escape into the system
        return 0;
    }
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void Win32Window::applyDpi()
{
    const PixelRect clientArea = host_.clientRect(scale());
    const int width = clientArea.width(), height = clientArea.height();
    bars_->place(width, height, dpi_);
    RECT frame { 0, 0, width, height };
    adjustFrame(frame, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame is drawn at another dpi than predicted (Wine draws every
    // frame at the system's), the client area is put right by what it came to.
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right != width || client.bottom != height)
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
            frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The dialog font of the system, at this dpi.
    const LOGFONTW message = messageFont(dpi_);
    HFONT font = CreateFontIndirectW(&message);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const PixelRect r = controlRect(host_.buttons()[i]->rect(), scale());
        SetWindowPos(buttons_[i], nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_)
        DeleteObject(font_);
    font_ = font;

    // The icons on the caption and in the taskbar, at the sizes for this dpi.
    const int sizes[2][2] = { { SM_CXICON, SM_CYICON }, { SM_CXSMICON, SM_CYSMICON } };
    for (int i = 0; i < 2; ++i) {
        HICON icon = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
            systemMetric(sizes[i][0], dpi_), systemMetric(sizes[i][1], dpi_), 0));
        SendMessageW(hwnd_, WM_SETICON, i == 0 ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        if (icons_[i])
            DestroyIcon(icons_[i]);
        icons_[i] = icon;
    }
}

int Win32Window::indexOf(HWND button) const
{
    const auto found = std::find(buttons_.begin(), buttons_.end(), button);
    return button && found != buttons_.end() ? int(found - buttons_.begin()) : kNoButton;
}

} // namespace rt
