#pragma once

#include "runtime/FormHost.h"

namespace rt
{

// A Form's window in the page: a box drawn as a desktop window, with a title
// bar (the caption and a close control) over a client area of the form's
// size in CSS pixels, shrunk to fit where the page is narrower (a phone, or
// a small iframe). Its buttons are the page's own <button>s at their
// rectangles, in tab order; its bars are drawn on a canvas in device pixels,
// and shown to screen readers as a chart of meters, "Bar 1" at the top. The
// FormHost holds the rules; this passes on clicks and the close, and does
// what the host asks of the page.
class WebWindow final : private PlatformWindow
{
public:
    WebWindow(Form& form, Platform& platform);

    // Raises load, then shows the window.
    void load();
    // Draws what changed since the last picture, or lays the window out and
    // draws all of it where its scale changed: the device pixels per CSS
    // pixel, or the room the page has for it.
    void drawIfChanged();
    // The close control: raises unload, and the program ends.
    void close() { host_.close(); }
    // A click on the button at this place in the tab order.
    void click(int index);

private:
    int focusedButton() const override;
    void dropFocus() override;
    void focusButton(int button) override;
    // Once shown: a focus() in the page never takes the input from another
    // window, and a hidden button takes no focus.
    bool active() const override { return shown_; }
    void showBusy(bool busy) override;
    void showEnabled(int button, bool enabled) override;
    double scale() const override { return scale_; }
    void repaint(const PixelRect& area) override;
    void barValueChanged(int bar) override;

    FormHost host_;
    bool shown_ = false;
    // The title bar's height in CSS pixels, as designed.
    static constexpr double kTitleBarHeight = 28;

    // Places the window's buttons and sizes its parts at this scale.
    void layOut(double devicePixelRatio, double fit);

    double scale_ = 0; // device pixels per CSS pixel of the layout, fit and all; 0 before the first
    PixelRect dirty_; // what changed since the last picture, in device pixels
};

} // namespace rt
