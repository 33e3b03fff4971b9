#include "BarsAccessible.h"

#include "BarsView.h"
#include "runtime/Controls.h"

#include <QAccessibleValueChangeEvent>

namespace rt
{

namespace
{

class BarAccessible final : public QAccessibleInterface, public QAccessibleValueInterface
{
public:
    BarAccessible(BarsView* view, const Bar* bar, int position)
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
            return QStringLiteral("Bar %1").arg(position_ + 1);
        if (t == QAccessible::Value)
            return QString::number(bar_->width());
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

    QVariant currentValue() const override { return double(bar_->width()); }
    void setCurrentValue(const QVariant&) override {} // read-only: only the program sets a length
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }

private:
    BarsView* view_;
    const Bar* bar_;
    int position_;
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* view = dynamic_cast<BarsView*>(object))
        return new BarsAccessible(view);
    return nullptr;
}

} // namespace

BarsAccessible::BarsAccessible(BarsView* view)
    : QAccessibleWidget(view, QAccessible::Chart)
{
    const std::vector<const Bar*> bars = view->barsTopToBottom();
    for (std::size_t i = 0; i < bars.size(); ++i)
        children_.push_back(QAccessible::registerAccessibleInterface(new BarAccessible(view, bars[i], int(i))));
}

BarsAccessible::~BarsAccessible()
{
    for (QAccessible::Id id : children_)
        QAccessible::deleteAccessibleInterface(id);
}

BarsView* BarsAccessible::view() const
{
    return static_cast<BarsView*>(widget());
}

int BarsAccessible::childCount() const
{
    return int(children_.size());
}

QAccessibleInterface* BarsAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return QAccessible::accessibleInterface(children_[std::size_t(index)]);
}

int BarsAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < childCount(); ++i)
        if (QAccessible::accessibleInterface(children_[std::size_t(i)]) == child)
            return i;
    return -1;
}

QString BarsAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? QStringLiteral("Bars") : QAccessibleWidget::text(t);
}

void BarsAccessible::notifyValueChanged(BarsView* view, const Bar& bar)
{
    if (!QAccessible::isActive())
        return; // no assistive technology listens
    auto* board = static_cast<BarsAccessible*>(QAccessible::queryAccessibleInterface(view));
    const std::vector<const Bar*> bars = view->barsTopToBottom();
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (bars[i] == &bar) {
            QAccessibleValueChangeEvent event(board->child(int(i)), double(bar.width()));
            QAccessible::updateAccessibility(&event);
        }
}

void BarsAccessible::installFactory()
{
    QAccessible::installFactory(accessibleFor);
}

} // namespace rt
