#include "QtBarsAccessible.h"

#include "QtBarsView.h"

#include <QAccessibleValueChangeEvent>

namespace rt
{

namespace
{

class QtBarAccessible final : public QAccessibleInterface, public QAccessibleValueInterface
{
public:
    QtBarAccessible(QtBarsView* view, const Bar* bar, int position)
        : view_(view)
        , bar_(bar)
        , position_(position)
    {
    }

    bool isValid() const override { return view_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QString::fromStdString(FormHost::barName(position_));
        if (t == QAccessible::Value)
            return QString::number(FormHost::barValue(*bar_));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QRect local = view_->barRect(*bar_);
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ProgressBar; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    }

    QVariant currentValue() const override { return double(FormHost::barValue(*bar_)); }
    void setCurrentValue(const QVariant&) override {} // read-only: only the program sets a length
    QVariant maximumValue() const override { return double(FormHost::kBarValueMax); }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }

private:
    QtBarsView* view_;
    const Bar* bar_;
    int position_;
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* view = dynamic_cast<QtBarsView*>(object))
        return new QtBarsAccessible(view);
    return nullptr;
}

} // namespace

QtBarsAccessible::QtBarsAccessible(QtBarsView* view)
    : QAccessibleWidget(view, QAccessible::Chart)
{
    const std::vector<const Bar*>& bars = view->host().bars();
    for (std::size_t i = 0; i < bars.size(); ++i)
        children_.push_back(QAccessible::registerAccessibleInterface(new QtBarAccessible(view, bars[i], int(i))));
}

QtBarsAccessible::~QtBarsAccessible()
{
    for (QAccessible::Id id : children_)
        QAccessible::deleteAccessibleInterface(id);
}

int QtBarsAccessible::childCount() const
{
    return int(children_.size());
}

QAccessibleInterface* QtBarsAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return QAccessible::accessibleInterface(children_[std::size_t(index)]);
}

int QtBarsAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < childCount(); ++i)
        if (QAccessible::accessibleInterface(children_[std::size_t(i)]) == child)
            return i;
    return -1;
}

QString QtBarsAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? QString::fromLatin1(FormHost::kChartName) : QAccessibleWidget::text(t);
}

void QtBarsAccessible::notifyValueChanged(QtBarsView* view, int bar)
{
    if (!QAccessible::isActive())
        return; // no assistive technology listens
    auto* board = static_cast<QtBarsAccessible*>(QAccessible::queryAccessibleInterface(view));
    QAccessibleValueChangeEvent event(
        board->child(bar), double(FormHost::barValue(*view->host().bars().at(std::size_t(bar)))));
    QAccessible::updateAccessibility(&event);
}

void QtBarsAccessible::installFactory()
{
    QAccessible::installFactory(accessibleFor);
}

} // namespace rt
