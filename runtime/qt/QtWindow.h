#pragma once

#include "runtime/FormHost.h"

#include <QWidget>

#include <memory>
#include <vector>

class QPushButton;

namespace rt
{

class QtBarsView;
class DestroyWatch;

// A Form's window in Qt Widgets: a QPushButton for each button, in tab
// order, over one view that draws all the bars. The FormHost holds the rules;
// this passes on clicks, the close and activation, and does what the host
// asks of the widgets.
class QtWindow final : public QWidget, private PlatformWindow
{
public:
    QtWindow(Form& form, Platform& platform);
    ~QtWindow() override;

    // Raises load, then shows the window: the first frame painted already
    // shows whatever the load handler set.
    void load();

    QtBarsView* barsView() const { return bars_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Passes activation on, and keeps the window at its fixed size: a
    // maximized or full-screen state that a title bar or the window manager
    // sets is undone at once.
    void changeEvent(QEvent* event) override;

private:
    int focusedButton() const override;
    void dropFocus() override;
    void focusButton(int button) override;
    bool active() const override { return isActiveWindow(); }
    void showEnabled(int button, bool enabled) override;
    double scale() const override { return devicePixelRatioF(); }
    void repaint(const PixelRect& area) override;
    void barValueChanged(int bar) override;

    FormHost host_;
    QtBarsView* bars_;
    std::vector<QPushButton*> buttons_; // in tab order
    std::unique_ptr<DestroyWatch> destroyWatch_;
};

} // namespace rt
