#include "Win32BarsView.h"

#include "Text.h"
#include "Win32BarsAccessible.h"
#include "Win32Window.h"

#include <new>

namespace rt
{

namespace
{
constexpr wchar_t kClassName[] = L"SortbarsBoard";
} // namespace

void Win32BarsView::registerClass()
{
    WNDCLASSEXW wc {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Win32BarsView::procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    // No background brush: paint() covers every pixel, so erasing would only flicker.
    RegisterClassExW(&wc);
}

Win32BarsView::Win32BarsView(HWND parent, const FormHost& host)
    : host_(host)
{
    hwnd_ = CreateWindowExW(0, kClassName, widen(FormHost::kChartName).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
        0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_)
        throw WindowFailure();
}

Win32BarsView::~Win32BarsView()
{
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    freeBuffer();
    if (accessible_) {
        accessible_->detach(); // a screen reader may hold it longer than the window lives
        accessible_->Release();
    }
}

void Win32BarsView::place(int width, int height, unsigned dpi)
{
    dpi_ = dpi;
    makeBuffer(width, height);
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32BarsView::repaint(const PixelRect& area)
{
    const RECT r { area.left, area.top, area.right, area.bottom };
    InvalidateRect(hwnd_, &r, FALSE);
}

void Win32BarsView::barValueChanged(int bar)
{
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, bar + 1); // child ids count from 1
}

RECT Win32BarsView::barRect(const Bar& bar) const
{
    const PixelRect r = rt::barRect(bar, scale());
    return RECT { r.left, r.top, r.right, r.bottom };
}

LRESULT CALLBACK Win32BarsView::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* board = reinterpret_cast<Win32BarsView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks go to the window beneath
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (board) {
            board->paint();
            return 0;
        }
        break;
    case WM_GETOBJECT:
        if (board && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            if (!board->accessible_)
                board->accessible_
                    = new (std::nothrow) Win32BarsAccessible(*board); // nothing may throw into the system
            if (board->accessible_)
                return LresultFromObject(__uuidof(IAccessible), wParam, board->accessible_);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32BarsView::paint()
{
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(hwnd_, &ps);
    const RECT dirty = ps.rcPaint;
    if (buffer_ && !IsRectEmpty(&dirty)) {
        FillRect(buffer_, &dirty, GetSysColorBrush(COLOR_BTNFACE));
        HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
        host_.paint(
            { dirty.left, dirty.top, dirty.right, dirty.bottom }, scale(), [this, brush](const PixelRect& r, Colour c) {
                const RECT part { r.left, r.top, r.right, r.bottom };
                SetDCBrushColor(buffer_, c); // Colour and COLORREF both keep red in the low byte
                FillRect(buffer_, &part, brush);
            });
        BitBlt(screen, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer_, dirty.left,
            dirty.top, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
}

void Win32BarsView::makeBuffer(int width, int height)
{
    freeBuffer();
    // A bitmap in the program's own memory, so that drawing into it costs
    // no trip to the display; only the copy to the screen does.
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    buffer_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !buffer_) {
        freeBuffer();
        throw std::bad_alloc();
    }
    previous_ = SelectObject(buffer_, bitmap_);
}

void Win32BarsView::freeBuffer()
{
    if (buffer_) {
        SelectObject(buffer_, previous_);
        DeleteDC(buffer_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    buffer_ = nullptr;
    bitmap_ = nullptr;
}

} // namespace rt
