#pragma once

#include <QAccessibleWidget>

#include <vector>

namespace rt
{

class QtBarsView;

// What assistive technology sees of the bars: one chart with a child per bar,
// top to bottom. A child's name is its position ("Bar 1" is the top bar) and
// its value is its length in twips, read live from the bar.
class QtBarsAccessible final : public QAccessibleWidget
{
public:
    explicit QtBarsAccessible(QtBarsView* view);
    ~QtBarsAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;

    // Tells assistive technology that the length of a bar, numbered from the top, changed.
    static void notifyValueChanged(QtBarsView* view, int bar);

    // Lets QAccessible build a QtBarsAccessible for every QtBarsView.
    static void installFactory();

private:
    std::vector<QAccessible::Id> children_; // registered child interfaces, top to bottom
};

} // namespace rt
