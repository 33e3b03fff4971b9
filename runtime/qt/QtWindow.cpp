#include "QtWindow.h"

#include "AppIcon.h"
#include "DestroyWatch.h"
#include "QtBarsAccessible.h"
#include "QtBarsView.h"

#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>

namespace rt
{

namespace
{
QRect logicalRect(const PixelRect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}
} // namespace

QtWindow::QtWindow(Form& form, Platform& platform)
    : host_(form, platform)
    , bars_(new QtBarsView(this, host_))
{
    [[maybe_unused]] static const bool accessible = (QtBarsAccessible::installFactory(), true);
    setWindowTitle(QString::fromStdString(host_.layout().caption));
    setWindowIcon(appIcon());
    // Qt scales the widgets itself: they are placed in pixels of 96 dpi.
    setFixedSize(logicalRect(host_.clientRect(1)).size());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false); // for the desktops that heed it
    bars_->setGeometry(rect());

    // Made in tab order, which Qt's focus chain follows.
    for (Button* button : host_.buttons()) {
        const int index = int(buttons_.size());
        auto* widget = new QPushButton(QString::fromStdString(button->caption()), this);
        widget->setGeometry(logicalRect(controlRect(button->rect())));
        widget->setEnabled(button->enabled());
        widget->setAutoDefault(false);
        widget->setAccessibleName(widget->text());
        connect(widget, &QPushButton::clicked, this, [this, index] { host_.click(index); });
        buttons_.push_back(widget);
    }
    host_.attach(*this);

    destroyWatch_ = std::make_unique<DestroyWatch>(*this, [this] { host_.destroyed(); });
}

QtWindow::~QtWindow() = default;

void QtWindow::load()
{
    host_.load();
    show();
}

void QtWindow::closeEvent(QCloseEvent* event)
{
    event->ignore(); // where the form lets the window close, the program has ended before Qt could
    host_.close();
}

void QtWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        host_.activated(isActiveWindow());
    // Where Qt draws the title bar itself (GNOME on Wayland), it offers a
    // maximize button even on a fixed-size window, which would mark the
    // window maximized and move it without resizing it.
    constexpr Qt::WindowStates kResized = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & kResized))
        setWindowState(windowState() & ~kResized);
}

int QtWindow::focusedButton() const
{
    // The window's focus child, which Qt keeps while the window is inactive.
    const auto found = std::find(buttons_.begin(), buttons_.end(), focusWidget());
    return found == buttons_.end() ? kNoButton : int(found - buttons_.begin());
}

void QtWindow::dropFocus()
{
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
}

void QtWindow::focusButton(int button)
{
    buttons_.at(std::size_t(button))->setFocus(Qt::OtherFocusReason);
}

void QtWindow::showEnabled(int button, bool enabled)
{
    buttons_.at(std::size_t(button))->setEnabled(enabled);
}

void QtWindow::repaint(const PixelRect& area)
{
    bars_->repaintDevicePixels(area);
}

void QtWindow::barValueChanged(int bar)
{
    QtBarsAccessible::notifyValueChanged(bars_, bar);
}

} // namespace rt
