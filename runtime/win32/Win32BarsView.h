#pragma once

#include "runtime/FormHost.h"

#include <windows.h>

namespace rt
{

class Win32BarsAccessible;

// The child window that draws the form's bars, as the host paints them, over
// the form's ground. It lies under the buttons and lets the mouse through.
//
// Painting is double-buffered: each update is drawn into a bitmap of the
// board's size and copied to the screen in one go, so nothing flickers.
//
// Screen readers see it as a chart, "Bars", of sixteen items, "Bar 1" at the
// top to "Bar 16", each valued by its length.
class Win32BarsView final
{
public:
    Win32BarsView(HWND parent, const FormHost& host);
    ~Win32BarsView();
    Win32BarsView(const Win32BarsView&) = delete;
    Win32BarsView& operator=(const Win32BarsView&) = delete;

    static void registerClass();

    // Covers the parent's client area, WIDTH by HEIGHT pixels at DPI.
    void place(int width, int height, unsigned dpi);
    double scale() const { return double(dpi_) / kBaseDpi; }
    void repaint(const PixelRect& area);
    void barValueChanged(int bar);

    HWND handle() const { return hwnd_; }
    const FormHost& host() const { return host_; }
    // Where a bar is drawn, in this window's device pixels.
    RECT barRect(const Bar& bar) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void makeBuffer(int width, int height);
    void freeBuffer();

    const FormHost& host_;
    HWND hwnd_ = nullptr;
    unsigned dpi_ = USER_DEFAULT_SCREEN_DPI;
    HDC buffer_ = nullptr; // the picture of the whole board, drawn where it changed
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    Win32BarsAccessible* accessible_ = nullptr; // made at the first screen reader's request
};

} // namespace rt
