#include "FormHost.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace rt
{

FormHost::FormHost(Form& form, Platform& platform)
    : form_(form)
    , platform_(platform)
    , layout_(form.layout())
{
    for (const Control& control : layout_.controls) {
        if (Button* const* button = std::get_if<Button*>(&control))
            buttons_.push_back(*button);
        else
            paintOrder_.push_back(std::get<Bar*>(control));
    }
    std::stable_sort(buttons_.begin(), buttons_.end(),
        [](const Button* a, const Button* b) { return a->tabIndex() < b->tabIndex(); });
    bars_ = paintOrder_;
    std::stable_sort(
        bars_.begin(), bars_.end(), [](const Bar* a, const Bar* b) { return a->homeTop() < b->homeTop(); });
}

FormHost::~FormHost()
{
    // The form outlives its window: its controls must stop reporting here.
    for (const Control& control : layout_.controls)
        std::visit([](auto* c) { c->setObserver(nullptr); }, control);
}

void FormHost::attach(PlatformWindow& window)
{
    window_ = &window;
    for (const Control& control : layout_.controls)
        std::visit([this](auto* c) { c->setObserver(this); }, control);
    if (!buttons_.empty())
        giveFocus(0);
}

void FormHost::click(int button)
{
    const int outer = clicking_;
    clicking_ = button;
    rt::runEvent(platform_, [this, button] { buttons_.at(std::size_t(button))->click(); });
    clicking_ = outer;
}

void FormHost::close()
{
    if (unload())
        platform_.end(0);
}

void FormHost::destroyed()
{
    unload();
    platform_.end(0);
    std::abort(); // end() does not return
}

bool FormHost::unload()
{
    Int16 cancel = False;
    rt::runEvent(platform_, [this, &cancel] { form_.Form_Unload(cancel); });
    return cancel == False;
}

void FormHost::activated(bool active)
{
    if (!active) {
        focusOnActivation_ = window_->focusedButton();
        return;
    }
    const int button = std::exchange(focusOnActivation_, PlatformWindow::kNoButton);
    if (button != PlatformWindow::kNoButton && buttons_[std::size_t(button)]->enabled())
        window_->focusButton(button);
    else
        window_->dropFocus(); // during a lock the focus stays off the buttons
}

void FormHost::giveFocus(int button)
{
    if (window_->active())
        window_->focusButton(button);
    else
        focusOnActivation_ = button;
}

void FormHost::barChanged(const Bar& bar, float oldTop, float oldWidth)
{
    window_->repaint(repaintArea(bar, oldTop, oldWidth, window_->scale()));
    if (bar.width() != oldWidth)
        window_->barValueChanged(indexIn(bars_, &bar));
}

void FormHost::buttonChanged(const Button& button)
{
    if (!button.enabled() && focusAfterLock_ == kNotLocked) {
        // The lock begins.
        const bool active = window_->active();
        const int focused = active ? window_->focusedButton() : focusOnActivation_;
        focusAfterLock_ = focused != PlatformWindow::kNoButton ? focused : clicking_;
        focusOnActivation_ = PlatformWindow::kNoButton;
        if (active && focused != PlatformWindow::kNoButton)
            window_->dropFocus();
        window_->showBusy(true);
    }
    window_->showEnabled(indexIn(buttons_, &button), button.enabled());
    if (focusAfterLock_ != kNotLocked && allEnabled()) {
        const int target = std::exchange(focusAfterLock_, kNotLocked);
        window_->showBusy(false);
        if (target != PlatformWindow::kNoButton)
            giveFocus(target);
    }
}

template <typename T> int FormHost::indexIn(const std::vector<T*>& list, const void* item)
{
    return int(std::find(list.begin(), list.end(), item) - list.begin());
}

bool FormHost::allEnabled() const
{
    return std::all_of(buttons_.begin(), buttons_.end(), [](const Button* b) { return b->enabled(); });
}

} // namespace rt
