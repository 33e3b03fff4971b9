#pragma once

#include "runtime/Runtime.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace rt
{

class BoardWindow;

// The system would not make the window (or one of its controls): start-up
// reports it in one line and ends with status 1.
class WindowFailure final : public std::runtime_error
{
public:
    WindowFailure();
};

// The top-level window that shows a Form: a native BUTTON for each Button,
// in tab order, over one board window that draws all the Bars. It passes
// clicks and the close to the form's handlers, keeps the controls in step
// with their properties, and follows the window's dots per inch.
//
// Keyboard focus survives a lock of the buttons: when the first button is
// disabled the window notes which button had the focus (or, where none had
// it, the button whose click locked them) and moves the focus off the
// buttons; when the last one is enabled again that button gets it back. In
// a window that is not active this only notes the button to focus when the
// window is next activated, so nothing is stolen from another window.
class Win32Window final : private ControlObserver
{
public:
    Win32Window(Form& form, Platform& platform);
    ~Win32Window();
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Raises load, then shows the window: the first frame painted already
    // shows whatever the load handler set.
    void load();

    HWND handle() const { return hwnd_; }

private:
    struct ButtonWindow {
        Button* button;
        HWND hwnd;
    };

    static void registerClass();
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void applyDpi(); // sizes the window, its controls, font and icons for dpi_
    void clicked(HWND button);
    void activated(bool active);
    bool unload(); // raises unload; false when the form cancelled the close
    void barChanged(const Bar& bar, float oldTop, float oldWidth) override;
    void buttonChanged(const Button& button) override;
    HWND windowFor(const Button& button) const;
    bool isButton(HWND hwnd) const;
    bool allButtonsEnabled() const;
    bool active() const { return GetActiveWindow() == hwnd_; }
    void giveFocus(HWND button);

    Form& form_;
    Platform& platform_;
    FormLayout layout_;
    HWND hwnd_ = nullptr;
    unsigned dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::unique_ptr<BoardWindow> board_;
    std::vector<ButtonWindow> buttons_; // in tab order
    HFONT font_ = nullptr;
    HICON icons_[2] = {}; // big and small, for the current dpi
    HWND clicking_ = nullptr; // the button whose click handler is running
    HWND focus_ = nullptr; // the button with the focus when the window is next activated
    // While the buttons are locked: the button to give the focus back to.
    std::optional<HWND> focusAfterLock_;
};

} // namespace rt
