#pragma once

#include <QAccessibleWidget>

#include <vector>

namespace rt
{

class Bar;
class BarsView;

// What assistive technology sees of the bars: one chart with a child per bar,
// top to bottom. A child's name is its position ("Bar 1" is the top bar) and
// its value is its length in twips, read live from the bar.
class BarsAccessible final : public QAccessibleWidget
{
public:
    explicit BarsAccessible(BarsView* view);
    ~BarsAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;

    // Tells assistive technology that a bar's length changed.
    static void notifyValueChanged(BarsView* view, const Bar& bar);

    // Lets QAccessible build a BarsAccessible for every BarsView.
    static void installFactory();

private:
    BarsView* view() const;
    std::vector<QAccessible::Id> children_; // registered child interfaces, top to bottom
};

} // namespace rt
