#pragma once

#include "runtime/Runtime.h"

#include <vector>

namespace rt
{

// The window of a Form in the page: a box drawn as a desktop window, with a
// title bar (the caption and a close control) over a client area of the
// form's size in CSS pixels. Its buttons are the page's own <button>s at
// their rectangles, in tab order; its bars are drawn on a canvas in device
// pixels, sliding bars over resting ones, and shown to screen readers as a
// chart of meters, "Bar 1" at the top, each valued by its length.
//
// Keyboard focus survives a lock of the buttons as on the desktop: the
// button that had it (or whose click locked them) gets it back when the
// last button is enabled again.
class WebWindow final : private ControlObserver
{
public:
    WebWindow(Form& form, Platform& platform);

    // Raises load, then shows the window.
    void load();
    // Draws the bars as they stand now, where anything changed or the
    // device pixels per CSS pixel did.
    void drawIfChanged();
    // Raises unload; the form ends the program from there.
    void unload();
    // A click on the button at this index of the layout.
    void click(int index);

private:
    void barChanged(const Bar& bar, float oldTop, float oldWidth) override;
    void buttonChanged(const Button& button) override;
    int indexOf(const Button& button) const;

    Form& form_;
    Platform& platform_;
    std::vector<Button*> buttons_;
    std::vector<Bar*> bars_; // in layout order
    bool dirty_ = true;
    int clicking_ = -1; // the button whose click handler is running
    int focusAfterLock_ = -2; // while locked: the button to give the focus back to (-1: none)
};

} // namespace rt
