#pragma once

#include "runtime/FormHost.h"

#include <QWidget>

namespace rt
{

// Draws the form's bars, as the host paints them, in device pixels. It lies
// under the buttons and lets the mouse through to them.
class QtBarsView final : public QWidget
{
public:
    QtBarsView(QWidget* parent, const FormHost& host);

    const FormHost& host() const { return host_; }
    // Where a bar is drawn, in this widget's coordinates.
    QRect barRect(const Bar& bar) const;
    // Schedules a repaint of an area given in device pixels.
    void repaintDevicePixels(const PixelRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const FormHost& host_;
};

} // namespace rt
