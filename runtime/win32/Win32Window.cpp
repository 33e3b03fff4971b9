#include "Win32Window.h"

#include "BoardWindow.h"
#include "Resources.h"
#include "Text.h"
#include "Twips.h"

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
} // namespace

WindowFailure::WindowFailure()
    : std::runtime_error(lastError())
{
}

Win32Window::Win32Window(Form& form, Platform& platform)
    : form_(form)
    , platform_(platform)
    , layout_(form.layout())
{
    [[maybe_unused]] static const bool registered = (registerClass(), BoardWindow::registerClass(), true);
    // Creation sends the first messages, which handle() already takes.
    hwnd_ = CreateWindowExW(kExStyle, kClassName, widen(layout_.caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance(), this);
    if (!hwnd_)
        throw WindowFailure();
    dpi_ = GetDpiForWindow(hwnd_);

    std::vector<const Bar*> bars;
    std::vector<Button*> buttons;
    for (const Control& control : layout_.controls) {
        if (Button* const* button = std::get_if<Button*>(&control)) {
            buttons.push_back(*button);
        } else {
            Bar* bar = std::get<Bar*>(control);
            bars.push_back(bar);
            bar->setObserver(this);
        }
    }
    board_ = std::make_unique<BoardWindow>(hwnd_, std::move(bars));

    // The dialog manager tabs through the children in their z-order, so the
    // buttons are made in tab order, above the board.
    std::stable_sort(
        buttons.begin(), buttons.end(), [](const Button* a, const Button* b) { return a->tabIndex() < b->tabIndex(); });
    for (Button* button : buttons) {
        const int id = kFirstButtonId + static_cast<int>(buttons_.size());
        HWND hwnd = CreateWindowExW(0, WC_BUTTONW, widen(button->caption()).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
        if (!hwnd)
            throw WindowFailure();
        EnableWindow(hwnd, button->enabled());
        buttons_.push_back({ button, hwnd });
        button->setObserver(this);
    }
    if (!buttons_.empty())
        focus_ = buttons_.front().hwnd; // the first in tab order starts with the focus
    applyDpi();
}

Win32Window::~Win32Window()
{
    // The form outlives its window: its controls must stop reporting here.
    for (const Control& control : layout_.controls)
        std::visit([](auto* c) { c->setObserver(nullptr); }, control);
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
    runEvent(platform_, [this] { form_.Form_Load(); });
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
        if (HIWORD(wParam) == BN_CLICKED && isButton(reinterpret_cast<HWND>(lParam)))
            clicked(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ACTIVATE:
        activated(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        if (unload())
            platform_.end(0);
        return 0;
    case WM_DESTROY:
        // Destroyed by any means but the window's own destructor: there is no
        // going on without it.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        unload();
        platform_.end(0);
        return 0; // not reached
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        runEvent(platform_, [this] { applyDpi(); }); // nothing may escape into the system
        return 0;
    }
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void Win32Window::applyDpi()
{
    const int width = twipsToPixels(layout_.clientWidth, dpi_), height = twipsToPixels(layout_.clientHeight, dpi_);
    board_->place(width, height, dpi_);
    RECT frame { 0, 0, width, height };
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_);
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
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (const ButtonWindow& b : buttons_) {
        const TwipRect& r = b.button->rect();
        SetWindowPos(b.hwnd, nullptr, twipsToPixels(r.left, dpi_), twipsToPixels(r.top, dpi_),
            twipsToPixels(r.width, dpi_), twipsToPixels(r.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_)
        DeleteObject(font_);
    font_ = font;

    // The icons on the caption and in the taskbar, at the sizes for this dpi.
    const int sizes[2][2] = { { SM_CXICON, SM_CYICON }, { SM_CXSMICON, SM_CYSMICON } };
    for (int i = 0; i < 2; ++i) {
        HICON icon = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
            GetSystemMetricsForDpi(sizes[i][0], dpi_), GetSystemMetricsForDpi(sizes[i][1], dpi_), 0));
        SendMessageW(hwnd_, WM_SETICON, i == 0 ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        if (icons_[i])
            DestroyIcon(icons_[i]);
        icons_[i] = icon;
    }
}

void Win32Window::clicked(HWND button)
{
    const auto found
        = std::find_if(buttons_.begin(), buttons_.end(), [button](const ButtonWindow& b) { return b.hwnd == button; });
    HWND const outer = clicking_;
    clicking_ = button;
    runEvent(platform_, [found] { found->button->click(); });
    clicking_ = outer;
}

void Win32Window::activated(bool nowActive)
{
    if (!nowActive) {
        HWND focused = GetFocus();
        focus_ = isButton(focused) ? focused : nullptr;
        return;
    }
    // While the buttons are locked the focus stays on the window itself.
    if (focus_ && IsWindowEnabled(focus_))
        SetFocus(focus_);
    else
        SetFocus(hwnd_);
}

bool Win32Window::unload()
{
    Int16 cancel = False;
    runEvent(platform_, [this, &cancel] { form_.Form_Unload(cancel); });
    return cancel == False;
}

void Win32Window::barChanged(const Bar& bar, float oldTop, float oldWidth)
{
    board_->barChanged(bar, oldTop, oldWidth);
}

void Win32Window::buttonChanged(const Button& button)
{
    if (!button.enabled() && !focusAfterLock_) {
        // The lock begins. Moving the focus off first keeps it from resting
        // on a disabled button, where keys would go nowhere.
        HWND focused = active() ? GetFocus() : focus_;
        focused = isButton(focused) ? focused : nullptr;
        focusAfterLock_ = focused ? focused : clicking_;
        if (focused && active())
            SetFocus(hwnd_);
        focus_ = nullptr;
    }
    EnableWindow(windowFor(button), button.enabled());
    if (focusAfterLock_ && allButtonsEnabled()) {
        HWND target = *focusAfterLock_;
        focusAfterLock_.reset();
        if (target)
            giveFocus(target);
    }
}

void Win32Window::giveFocus(HWND button)
{
    if (active())
        SetFocus(button);
    else
        focus_ = button;
}

HWND Win32Window::windowFor(const Button& button) const
{
    for (const ButtonWindow& b : buttons_)
        if (b.button == &button)
            return b.hwnd;
    return nullptr;
}

bool Win32Window::isButton(HWND hwnd) const
{
    return hwnd
        && std::any_of(buttons_.begin(), buttons_.end(), [hwnd](const ButtonWindow& b) { return b.hwnd == hwnd; });
}

bool Win32Window::allButtonsEnabled() const
{
    return std::all_of(buttons_.begin(), buttons_.end(), [](const ButtonWindow& b) { return IsWindowEnabled(b.hwnd); });
}

} // namespace rt
