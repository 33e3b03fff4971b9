#pragma once

#include "Pixels.h"
#include "Runtime.h"

#include <string>
#include <vector>

namespace rt
{

// What a platform's window does in its toolkit for the FormHost. Buttons are
// numbered in tab order from 0, bars from the top from 0.
class PlatformWindow
{
public:
    static constexpr int kNoButton = -1;

    // The button that has the keyboard focus in this window, or kNoButton;
    // while the window is inactive, the one that had it when it was left.
    virtual int focusedButton() const = 0;
    // Takes the focus off the buttons, onto the window itself.
    virtual void dropFocus() = 0;
    // Gives the focus to a button. Only called while the window is active.
    virtual void focusButton(int button) = 0;
    // Whether the window has the user's input now.
    virtual bool active() const = 0;
    // Shows a button enabled or greyed.
    virtual void showEnabled(int button, bool enabled) = 0;
    // Device pixels per pixel of 96 dpi, where the bars are drawn.
    virtual double scale() const = 0;
    // Repaints this part of the board, now or at the next chance.
    virtual void repaint(const PixelRect& area) = 0;
    // Tells screen readers that this bar's value changed.
    virtual void barValueChanged(int bar) = 0;
    // Tells screen readers that the bars are changing while the buttons are
    // locked, so that they announce the values once, when the lock ends. A
    // platform whose readers poll the values need do nothing.
    virtual void showBusy(bool /*busy*/) {}

protected:
    ~PlatformWindow() = default;
};

// The window of a Form, as every platform shows it: its buttons in tab order
// and its bars top to bottom, the events it raises, the close, and where the
// keyboard focus goes. A platform makes its widgets from buttons() and
// bars(), attaches itself, and passes on what the user does.
//
// Keyboard focus survives a lock of the buttons: when the first button is
// disabled the host notes which button had the focus (or, where none had
// it, the one whose click is running) and drops the focus, so that it
// neither rests on a disabled button nor walks along the tab order as they
// are disabled; when the last one is enabled again that button gets it back.
// An inactive window never takes the focus: the button waits for the window
// to be activated, and so does the one that had the focus when it was left.
class FormHost final : private ControlObserver
{
public:
    // The widths that screen readers are told lie in 0..kBarValueMax: the
    // program's bars are 0 to 4095 twips long.
    static constexpr int kBarValueMax = 4095;

    FormHost(Form& form, Platform& platform);
    ~FormHost();
    FormHost(const FormHost&) = delete;
    FormHost& operator=(const FormHost&) = delete;

    const FormLayout& layout() const { return layout_; }
    // The client area in device pixels.
    PixelRect clientRect(double scale) const
    {
        return controlRect({ 0, 0, layout_.clientWidth, layout_.clientHeight }, scale);
    }
    // The buttons in tab order: the order the platform makes them in.
    const std::vector<Button*>& buttons() const { return buttons_; }
    // The bars from the top: bars()[i] is "Bar i + 1" to screen readers.
    const std::vector<const Bar*>& bars() const { return bars_; }
    // What screen readers call the board, and a bar numbered from the top.
    static constexpr const char* kChartName = "Bars";
    static std::string barName(int bar) { return "Bar " + std::to_string(bar + 1); }
    // A bar's length as screen readers get it: whole twips, 0..kBarValueMax.
    static int barValue(const Bar& bar) { return std::clamp(int(std::lround(bar.width())), 0, kBarValueMax); }
    // Draws the bars inside DIRTY, sliding ones over resting ones.
    void paint(const PixelRect& dirty, double scale, const PaintFill& fill) const
    {
        paintBars(paintOrder_, dirty, scale, fill);
    }

    // From here on the controls' changes reach WINDOW, and the first button
    // in tab order has the focus.
    void attach(PlatformWindow& window);
    // Raises load; the platform shows the window after it.
    void load()
    {
        runEvent([this] { form_.Form_Load(); });
    }
    // The user pressed a button. A disabled button's click does nothing.
    void click(int button);
    // The user asked to close the window: raises unload and ends the program
    // with status 0, unless the form cancelled the close, when it returns.
    void close();
    // The window was destroyed without a close request: there is no going
    // on without it. Raises unload, then ends the program with status 0.
    [[noreturn]] void destroyed();
    // The window gained or lost the user's input.
    void activated(bool active);
    // Runs an event of the platform's own, such as a change of dpi, as the
    // form's events run: nothing it throws escapes into the toolkit.
    void runEvent(const std::function<void()>& handler) { rt::runEvent(platform_, handler); }

private:
    static constexpr int kNotLocked = -2;

    void barChanged(const Bar& bar, float oldTop, float oldWidth) override;
    void buttonChanged(const Button& button) override;
    void giveFocus(int button);
    template <typename T> static int indexIn(const std::vector<T*>& list, const void* item);
    bool allEnabled() const;
    bool unload(); // false when the form cancelled

    Form& form_;
    Platform& platform_;
    FormLayout layout_;
    std::vector<Button*> buttons_; // tab order
    std::vector<const Bar*> bars_; // top to bottom
    std::vector<const Bar*> paintOrder_; // the layout's: a control listed later is drawn over earlier ones
    PlatformWindow* window_ = nullptr;
    int clicking_ = PlatformWindow::kNoButton; // the button whose click handler is running
    int focusAfterLock_ = kNotLocked; // while locked: the button to give the focus back to
    int focusOnActivation_ = PlatformWindow::kNoButton; // for an inactive window's return
};

} // namespace rt
