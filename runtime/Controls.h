#pragma once

#include "Colour.h"
#include "Int16.h"

#include <functional>
#include <string>

namespace rt
{

class Bar;
class Button;

// Told of every property change, so that a view can redraw what changed.
// The runtime's window implements it; under the scripted runtime nobody does.
class ControlObserver
{
public:
    virtual void barChanged(const Bar& bar, float oldTop, float oldWidth) = 0;
    virtual void buttonChanged(const Button& button) = 0;

protected:
    ~ControlObserver() = default;
};

// Position and size of a control in twips (1/1440 inch) within the client area.
struct TwipRect {
    float left = 0, top = 0, width = 0, height = 0;
};

// A shape control drawn as a filled rectangle. It holds its own position,
// width and colours: there is no other copy of them.
class Bar
{
public:
    // Places the bar where the form's layout puts it; that top edge is its home.
    void place(const TwipRect& rect);

    float top() const { return rect_.top; }
    // A written top edge reads back unchanged; it shows at the next repaint.
    void setTop(float top);
    float width() const { return rect_.width; }
    // A negative or non-finite width is an invalid property value.
    void setWidth(float width);
    Colour fillColor() const { return fill_; }
    void setFillColor(Colour colour);
    Colour borderColor() const { return border_; }
    void setBorderColor(Colour colour);

    float left() const { return rect_.left; }
    float height() const { return rect_.height; }
    float homeTop() const { return homeTop_; }
    bool atHome() const { return rect_.top == homeTop_; }

    void setObserver(ControlObserver* observer) { observer_ = observer; }

private:
    void changed(float oldTop, float oldWidth) const;

    TwipRect rect_;
    float homeTop_ = 0;
    Colour fill_ = 0;
    Colour border_ = 0;
    ControlObserver* observer_ = nullptr;
};

// A push button. Its click reaches onClick only while it is enabled.
class Button
{
public:
    void place(const TwipRect& rect, std::string caption, int tabIndex);

    const TwipRect& rect() const { return rect_; }
    const std::string& caption() const { return caption_; }
    int tabIndex() const { return tabIndex_; }

    bool enabled() const { return enabled_; }
    // Takes a 16-bit boolean: any non-zero value enables, 0 disables.
    void setEnabled(Int16 flag);

    // Delivers a click from the user, or does nothing while disabled.
    void click() const;

    std::function<void()> onClick;

    void setObserver(ControlObserver* observer) { observer_ = observer; }

private:
    TwipRect rect_;
    std::string caption_;
    int tabIndex_ = 0;
    bool enabled_ = true;
    ControlObserver* observer_ = nullptr;
};

} // namespace rt
