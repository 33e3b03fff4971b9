#include "Controls.h"

#include <cmath>

namespace rt
{

void Bar::place(const TwipRect& rect)
{
    const float oldTop = rect_.top, oldWidth = rect_.width;
    rect_ = rect;
    homeTop_ = rect.top;
    changed(oldTop, oldWidth);
}

void Bar::setTop(float top)
{
    if (!std::isfinite(top))
        raise(ErrorKind::InvalidPropertyValue);
    if (top == rect_.top)
        return;
    const float oldTop = rect_.top;
    rect_.top = top;
    changed(oldTop, rect_.width);
}

void Bar::setWidth(float width)
{
    if (!std::isfinite(width) || width < 0)
        raise(ErrorKind::InvalidPropertyValue);
    if (width == rect_.width)
        return;
    const float oldWidth = rect_.width;
    rect_.width = width;
    changed(rect_.top, oldWidth);
}

void Bar::setFillColor(Colour colour)
{
    if (colour == fill_)
        return;
    fill_ = colour;
    changed(rect_.top, rect_.width);
}

void Bar::setBorderColor(Colour colour)
{
    if (colour == border_)
        return;
    border_ = colour;
    changed(rect_.top, rect_.width);
}

void Bar::changed(float oldTop, float oldWidth) const
{
    if (observer_)
        observer_->barChanged(*this, oldTop, oldWidth);
}

void Button::place(const TwipRect& rect, std::string caption, int tabIndex)
{
    rect_ = rect;
    caption_ = std::move(caption);
    tabIndex_ = tabIndex;
}

void Button::setEnabled(Int16 flag)
{
    enabled_ = flag != False;
    if (observer_)
        observer_->buttonChanged(*this);
}

void Button::click() const
{
    if (enabled_ && onClick)
        onClick();
}

} // namespace rt
