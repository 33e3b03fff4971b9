#pragma once

#include "Win32BarsView.h"
#include "runtime/FormHost.h"

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace rt
{

// The system would not make the window (or one of its controls): start-up
// reports it in one line and ends with status 1.
class WindowFailure final : public std::runtime_error
{
public:
    WindowFailure();
};

// A Form's window in plain Win32: a native BUTTON for each button, in tab
// order, over one child window that draws all the bars. The FormHost holds
// the rules; this passes on clicks, the close, activation and a destroyed
// window, does what the host asks of the controls, and follows the
// window's dots per inch.
class Win32Window final : private PlatformWindow
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
    static void registerClass();
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void applyDpi(); // sizes the window, its controls, font and icons for dpi_
    int indexOf(HWND button) const; // kNoButton for any other window

    int focusedButton() const override { return indexOf(GetFocus()); }
    void dropFocus() override { SetFocus(hwnd_); }
    void focusButton(int button) override { SetFocus(buttons_.at(std::size_t(button))); }
    bool active() const override { return GetActiveWindow() == hwnd_; }
    void showEnabled(int button, bool enabled) override { EnableWindow(buttons_.at(std::size_t(button)), enabled); }
    double scale() const override { return double(dpi_) / kBaseDpi; }
    void repaint(const PixelRect& area) override { bars_->repaint(area); }
    void barValueChanged(int bar) override { bars_->barValueChanged(bar); }

    FormHost host_;
    HWND hwnd_ = nullptr;
    unsigned dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::unique_ptr<Win32BarsView> bars_;
    std::vector<HWND> buttons_; // in tab order
    HFONT font_ = nullptr;
    HICON icons_[2] = {}; // big and small, for the current dpi
};

} // namespace rt
