#pragma once

#include "runtime/Controls.h"

#include <QWidget>

#include <vector>

namespace rt
{

// Draws the form's bars, each as a solid rectangle of its fill colour inside
// a border of its border colour. Edges are rounded to whole device pixels, so
// bars at rest are crisp at any scale and a sliding bar moves in whole pixels.
class BarsView final : public QWidget
{
public:
    explicit BarsView(QWidget* parent);

    void addBar(const Bar* bar) { bars_.push_back(bar); }
    // The bars ordered by their home slots, top first.
    std::vector<const Bar*> barsTopToBottom() const;
    // Where a bar is drawn, in this widget's pixels.
    QRect barRect(const Bar& bar) const;
    // Schedules a repaint of the area a bar covered before and covers now.
    void barChanged(const Bar& bar, float oldTop, float oldWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect devicePixels(float left, float top, float width, float height) const;
    static QRect logicalBounds(float left, float top, float width, float height);
    void paintBar(QPainter& painter, const Bar& bar, const QRect& dirty) const;

    std::vector<const Bar*> bars_; // in layout order
};

} // namespace rt
