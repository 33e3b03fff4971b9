#pragma once

#include "runtime/Runtime.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>

class QPushButton;

namespace rt
{

class BarsView;
class DestroyWatch;

// The top-level window that shows a Form: a push button for each Button and
// one view that draws all the Bars. It passes clicks and the close to the
// form's handlers and keeps the widgets in step with the controls' properties.
//
// Keyboard focus survives a lock of the buttons: Qt drops the focus when the
// focused button is disabled, so the window notes which button had it when
// the first button is disabled, and gives it back when the last one is
// enabled again (or, where no button had it, to the button whose click
// locked them). In a window that is not active this only sets the focus
// child, so nothing is stolen from another window.
class FormWindow final : public QWidget, private ControlObserver
{
public:
    FormWindow(Form& form, Platform& platform);
    ~FormWindow() override;

    // Raises load, then shows the window: the first frame painted already
    // shows whatever the load handler set.
    void load();

    QPushButton* buttonFor(const Button* button) const { return buttons_.at(button); }
    BarsView* barsView() const { return bars_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window has a fixed size: a maximized or full-screen state that a
    // title bar or the window manager sets is undone at once.
    void changeEvent(QEvent* event) override;

private:
    void barChanged(const Bar& bar, float oldTop, float oldWidth) override;
    void buttonChanged(const Button& button) override;
    void addButton(Button* button);
    bool allButtonsEnabled() const;
    bool unload(); // raises unload; false when the form cancelled the close

    Form& form_;
    Platform& platform_;
    BarsView* bars_;
    std::map<const Button*, QPushButton*> buttons_;
    std::unique_ptr<DestroyWatch> destroyWatch_;
    QPushButton* clicking_ = nullptr; // the button whose click handler is running
    // While the buttons are locked: the button to give the focus back to.
    std::optional<QPointer<QPushButton>> focusAfterLock_;
};

} // namespace rt
