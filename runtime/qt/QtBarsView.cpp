#include "QtBarsView.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace rt
{

QtBarsView::QtBarsView(QWidget* parent, const FormHost& host)
    : QWidget(parent)
    , host_(host)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QRect QtBarsView::barRect(const Bar& bar) const
{
    const PixelRect r = rt::barRect(bar, devicePixelRatioF());
    const QRectF device(r.left, r.top, r.width(), r.height());
    const qreal scale = devicePixelRatioF();
    return QRectF(device.topLeft() / scale, device.size() / scale).toRect();
}

void QtBarsView::repaintDevicePixels(const PixelRect& area)
{
    // Qt takes the area in its own pixels, which the scale may split.
    const qreal scale = devicePixelRatioF();
    update(QRectF(area.left / scale, area.top / scale, area.width() / scale, area.height() / scale).toAlignedRect());
}

void QtBarsView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    painter.scale(1 / scale, 1 / scale); // paint in device pixels
    const QRect dirty
        = QRectF(QRectF(event->rect()).topLeft() * scale, QRectF(event->rect()).size() * scale).toAlignedRect();
    host_.paint({ dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1 }, scale,
        [&painter](const PixelRect& r, Colour c) {
            painter.fillRect(r.left, r.top, r.width(), r.height(), QColor(redOf(c), greenOf(c), blueOf(c)));
        });
}

} // namespace rt
