#include "BarsView.h"

#include "BarsAccessible.h"
#include "Twips.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rt
{

namespace
{
QColor toQColor(Colour c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
} // namespace

BarsView::BarsView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BarsView::barChanged(const Bar& bar, float oldTop, float oldWidth)
{
    update(logicalBounds(bar.left(), oldTop, oldWidth, bar.height())
        | logicalBounds(bar.left(), bar.top(), bar.width(), bar.height()));
    if (bar.width() != oldWidth)
        BarsAccessible::notifyValueChanged(this, bar);
}

std::vector<const Bar*> BarsView::barsTopToBottom() const
{
    std::vector<const Bar*> bars = bars_;
    std::stable_sort(bars.begin(), bars.end(), [](const Bar* a, const Bar* b) { return a->homeTop() < b->homeTop(); });
    return bars;
}

QRect BarsView::barRect(const Bar& bar) const
{
    return logicalBounds(bar.left(), bar.top(), bar.width(), bar.height());
}

void BarsView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    painter.scale(1 / scale, 1 / scale); // paint in device pixels
    const QRect dirty
        = QRectF(QRectF(event->rect()).topLeft() * scale, QRectF(event->rect()).size() * scale).toAlignedRect();

    // Bars at rest first, in layout order; the sliding ones over them.
    for (const Bar* bar : bars_)
        if (bar->atHome())
            paintBar(painter, *bar, dirty);
    for (const Bar* bar : bars_)
        if (!bar->atHome())
            paintBar(painter, *bar, dirty);
}

void BarsView::paintBar(QPainter& painter, const Bar& bar, const QRect& dirty) const
{
    const QRect r = devicePixels(bar.left(), bar.top(), bar.width(), bar.height());
    if (!r.intersects(dirty)) // also skips a bar of width 0
        return;
    painter.fillRect(r, toQColor(bar.borderColor()));
    const int border = std::max(1, qRound(devicePixelRatioF()));
    const QRect inside = r.adjusted(border, border, -border, -border);
    if (inside.isValid())
        painter.fillRect(inside, toQColor(bar.fillColor()));
}

QRect BarsView::devicePixels(float left, float top, float width, float height) const
{
    const qreal scale = devicePixelRatioF();
    const auto edge = [scale](float twips) { return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel)); };
    const int x0 = edge(left), y0 = edge(top);
    return QRect(QPoint(x0, y0), QPoint(edge(left + width) - 1, edge(top + height) - 1));
}

QRect BarsView::logicalBounds(float left, float top, float width, float height)
{
    const auto down = [](float twips) { return static_cast<int>(std::floor(twips / kTwipsPerPixel)); };
    const auto up = [](float twips) { return static_cast<int>(std::ceil(twips / kTwipsPerPixel)); };
    return QRect(QPoint(down(left), down(top)), QPoint(up(left + width), up(top + height)));
}

} // namespace rt
