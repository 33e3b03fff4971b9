#pragma once

#include "runtime/Controls.h"

#include <windows.h>

#include <vector>

namespace rt
{

class BarsAccessible;

// The child window that draws the form's bars, each as a solid rectangle of
// its fill colour inside a border of its border colour, over the form's
// ground. It lies under the buttons and lets the mouse through to them.
//
// Painting is double-buffered: each update is drawn into a bitmap of the
// board's size and copied to the screen in one go, so nothing flickers. Edges are rounded to whole device pixels,
// so resting bars are crisp at any dpi and a sliding bar moves in whole
// pixels; sliding bars are drawn over resting ones. A changed bar repaints
// only the rectangles it covered and covers.
//
// Screen readers see it as a chart, "Bars", of sixteen items, "Bar 1" at the
// top to "Bar 16", each valued by its length.
class BoardWindow final
{
public:
    BoardWindow(HWND parent, std::vector<const Bar*> bars);
    ~BoardWindow();
    BoardWindow(const BoardWindow&) = delete;
    BoardWindow& operator=(const BoardWindow&) = delete;

    static void registerClass();

    // Covers the parent's client area, WIDTH by HEIGHT pixels at DPI.
    void place(int width, int height, unsigned dpi);
    void barChanged(const Bar& bar, float oldTop, float oldWidth);

    HWND handle() const { return hwnd_; }
    // The bars ordered by their home slots, top first.
    const std::vector<const Bar*>& barsTopToBottom() const { return topToBottom_; }
    // Where a bar is drawn, in this window's device pixels.
    RECT barRect(const Bar& bar) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void drawInto(const RECT& dirty); // draws that part of the board into the buffer
    void makeBuffer(int width, int height);
    void freeBuffer();
    RECT edges(float left, float top, float width, float height) const;
    RECT bounds(float left, float top, float width, float height) const;

    HWND hwnd_ = nullptr;
    unsigned dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<const Bar*> bars_; // in layout order
    std::vector<const Bar*> topToBottom_;
    HDC buffer_ = nullptr; // the picture of the whole board, drawn where it changed
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    BarsAccessible* accessible_ = nullptr; // made at the first screen reader's request
};

} // namespace rt
