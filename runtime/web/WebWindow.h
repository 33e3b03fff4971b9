#pragma once

#include "runtime/FormHost.h"

namespace rt
{

// A Form's window in the page: a box drawn as a desktop window, with a title
// bar (the caption and a close control) over a client area of the form's
// size in CSS pixels. Its buttons are the page's own <button>s at their
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
    // Draws what changed since the last picture, or all of it where the
    // device pixels per CSS pixel changed.
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
    void showEnabled(int button, bool enabled) override;
    double scale() const override { return scale_; }
    void repaint(const PixelRect& area) override;
    void barValueChanged(int bar) override;

    FormHost host_;
    bool shown_ = false;
    double scale_ = 0; // of the last picture; 0 before the first
    PixelRect dirty_; // what changed since the last picture, in device pixels
};

} // namespace rt
