#pragma once

#include "runtime/Runtime.h"

#include <QWidget>

#include <map>

class QPushButton;

namespace rt
{

class BarsView;

// The top-level window that shows a Form: a push button for each Button and
// one view that draws all the Bars. It passes clicks and the close to the
// form's handlers and keeps the widgets in step with the controls' properties.
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

private:
    void barChanged(const Bar& bar, float oldTop, float oldWidth) override;
    void buttonChanged(const Button& button) override;
    void addButton(Button* button);

    Form& form_;
    Platform& platform_;
    BarsView* bars_;
    std::map<const Button*, QPushButton*> buttons_;
};

} // namespace rt
