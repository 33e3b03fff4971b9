#include "FormWindow.h"

#include "AppIcon.h"
#include "BarsAccessible.h"
#include "BarsView.h"
#include "DestroyWatch.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QPushButton>

#include <algorithm>

namespace rt
{

FormWindow::FormWindow(Form& form, Platform& platform)
    : form_(form)
    , platform_(platform)
    , bars_(new BarsView(this))
{
    [[maybe_unused]] static const bool accessible = (BarsAccessible::installFactory(), true);
    const FormLayout layout = form.layout();
    setWindowTitle(QString::fromStdString(layout.caption));
    setWindowIcon(appIcon());
    setFixedSize(twipsToPixels(layout.clientWidth), twipsToPixels(layout.clientHeight));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false); // for the desktops that heed it
    bars_->setGeometry(rect());

    for (const Control& control : layout.controls) {
        if (Button* const* button = std::get_if<Button*>(&control)) {
            addButton(*button);
        } else {
            Bar* bar = std::get<Bar*>(control);
            bars_->addBar(bar);
            bar->setObserver(this);
        }
    }

    std::vector<const Button*> tabOrder;
    for (const auto& entry : buttons_)
        tabOrder.push_back(entry.first);
    std::sort(tabOrder.begin(), tabOrder.end(),
        [](const Button* a, const Button* b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(buttons_.at(tabOrder[i - 1]), buttons_.at(tabOrder[i]));
    if (!tabOrder.empty())
        buttons_.at(tabOrder.front())->setFocus(); // the first in tab order starts with the focus

    // A window destroyed by another client ends the program as a close does:
    // there is no going on without it.
    destroyWatch_ = std::make_unique<DestroyWatch>(*this, [this] {
        unload();
        platform_.end(0);
    });
}

FormWindow::~FormWindow()
{
    // The form outlives its window: its controls must stop reporting here.
    for (const Control& control : form_.layout().controls)
        std::visit([](auto* c) { c->setObserver(nullptr); }, control);
}

void FormWindow::addButton(Button* button)
{
    auto* widget = new QPushButton(QString::fromStdString(button->caption()), this);
    widget->setGeometry(twipsToPixels(button->rect()));
    widget->setEnabled(button->enabled());
    widget->setAutoDefault(false);
    widget->setAccessibleName(widget->text());
    connect(widget, &QPushButton::clicked, this, [this, button, widget] {
        QPushButton* const outer = clicking_;
        clicking_ = widget;
        runEvent(platform_, [button] { button->click(); });
        clicking_ = outer;
    });
    buttons_.emplace(button, widget);
    button->setObserver(this);
}

void FormWindow::load()
{
    runEvent(platform_, [this] { form_.Form_Load(); });
    show();
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    event->setAccepted(unload());
}

void FormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Where Qt draws the title bar itself (GNOME on Wayland), it offers a
    // maximize button even on a fixed-size window, which would mark the
    // window maximized and move it without resizing it.
    constexpr Qt::WindowStates kResized = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & kResized))
        setWindowState(windowState() & ~kResized);
}

bool FormWindow::unload()
{
    Int16 cancel = False;
    runEvent(platform_, [this, &cancel] { form_.Form_Unload(cancel); });
    return cancel == False;
}

void FormWindow::barChanged(const Bar& bar, float oldTop, float oldWidth)
{
    bars_->barChanged(bar, oldTop, oldWidth);
}

void FormWindow::buttonChanged(const Button& button)
{
    if (!button.enabled() && !focusAfterLock_) {
        // The lock begins. Clearing the focus first keeps Qt from passing it
        // along the tab chain button by button as they are disabled, which a
        // screen reader would announce.
        auto* focused = qobject_cast<QPushButton*>(focusWidget()); // only the form's buttons are push buttons
        focusAfterLock_ = focused ? focused : clicking_;
        if (focused)
            focused->clearFocus();
    }
    buttons_.at(&button)->setEnabled(button.enabled());
    if (focusAfterLock_ && allButtonsEnabled()) {
        if (QPushButton* target = *focusAfterLock_)
            target->setFocus(Qt::OtherFocusReason);
        focusAfterLock_.reset();
    }
}

bool FormWindow::allButtonsEnabled() const
{
    return std::all_of(buttons_.begin(), buttons_.end(), [](const auto& entry) { return entry.second->isEnabled(); });
}

} // namespace rt
