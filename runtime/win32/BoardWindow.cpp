#include "BoardWindow.h"

#include "BarsAccessible.h"
#include "Twips.h"
#include "Win32Window.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace rt
{

namespace
{
constexpr wchar_t kClassName[] = L"SortbarsBoard";
} // namespace

void BoardWindow::registerClass()
{
    WNDCLASSEXW wc {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &BoardWindow::procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    // No background brush: paint() covers every pixel, so erasing would only flicker.
    RegisterClassExW(&wc);
}

BoardWindow::BoardWindow(HWND parent, std::vector<const Bar*> bars)
    : bars_(std::move(bars))
    , topToBottom_(bars_)
{
    std::stable_sort(topToBottom_.begin(), topToBottom_.end(),
        [](const Bar* a, const Bar* b) { return a->homeTop() < b->homeTop(); });
    hwnd_ = CreateWindowExW(0, kClassName, L"Bars", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
        nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_)
        throw WindowFailure();
}

BoardWindow::~BoardWindow()
{
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    freeBuffer();
    if (accessible_) {
        accessible_->detach(); // a screen reader may hold it longer than the window lives
        accessible_->Release();
    }
}

void BoardWindow::place(int width, int height, unsigned dpi)
{
    dpi_ = dpi;
    makeBuffer(width, height);
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void BoardWindow::barChanged(const Bar& bar, float oldTop, float oldWidth)
{
    const RECT before = bounds(bar.left(), oldTop, oldWidth, bar.height());
    const RECT after = bounds(bar.left(), bar.top(), bar.width(), bar.height());
    InvalidateRect(hwnd_, &before, FALSE);
    InvalidateRect(hwnd_, &after, FALSE);
    if (bar.width() != oldWidth) {
        const auto slot = std::find(topToBottom_.begin(), topToBottom_.end(), &bar);
        NotifyWinEvent(
            EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, static_cast<LONG>(slot - topToBottom_.begin()) + 1);
    }
}

RECT BoardWindow::barRect(const Bar& bar) const
{
    return edges(bar.left(), bar.top(), bar.width(), bar.height());
}

LRESULT CALLBACK BoardWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* board = reinterpret_cast<BoardWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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
                board->accessible_ = new (std::nothrow) BarsAccessible(*board); // nothing may throw into the system
            if (board->accessible_)
                return LresultFromObject(__uuidof(IAccessible), wParam, board->accessible_);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void BoardWindow::paint()
{
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(hwnd_, &ps);
    const RECT dirty = ps.rcPaint;
    if (buffer_ && !IsRectEmpty(&dirty)) {
        drawInto(dirty);
        BitBlt(screen, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer_, dirty.left,
            dirty.top, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
}

void BoardWindow::drawInto(const RECT& dirty)
{
    FillRect(buffer_, &dirty, GetSysColorBrush(COLOR_BTNFACE));
    const int border = std::max(1, static_cast<int>(std::lround(dpi_ / float(USER_DEFAULT_SCREEN_DPI))));
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    const auto draw = [&](const Bar& bar) {
        RECT r = barRect(bar), part;
        if (!IntersectRect(&part, &r, &dirty)) // also skips a bar of width 0
            return;
        SetDCBrushColor(buffer_, bar.borderColor()); // Colour and COLORREF both keep red in the low byte
        FillRect(buffer_, &part, brush);
        InflateRect(&r, -border, -border);
        if (IntersectRect(&part, &r, &dirty)) {
            SetDCBrushColor(buffer_, bar.fillColor());
            FillRect(buffer_, &part, brush);
        }
    };
    // Bars at rest first, in layout order; the sliding ones over them.
    for (const Bar* bar : bars_)
        if (bar->atHome())
            draw(*bar);
    for (const Bar* bar : bars_)
        if (!bar->atHome())
            draw(*bar);
}

void BoardWindow::makeBuffer(int width, int height)
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

void BoardWindow::freeBuffer()
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

RECT BoardWindow::edges(float left, float top, float width, float height) const
{
    const float scale = static_cast<float>(dpi_) / kTwipsPerInch;
    const auto edge = [scale](float twips) { return static_cast<LONG>(std::lround(twips * scale)); };
    return RECT { edge(left), edge(top), edge(left + width), edge(top + height) };
}

RECT BoardWindow::bounds(float left, float top, float width, float height) const
{
    const float scale = static_cast<float>(dpi_) / kTwipsPerInch;
    const auto down = [scale](float twips) { return static_cast<LONG>(std::floor(twips * scale)); };
    const auto up = [scale](float twips) { return static_cast<LONG>(std::ceil(twips * scale)); };
    return RECT { down(left), down(top), up(left + width), up(top + height) };
}

} // namespace rt
