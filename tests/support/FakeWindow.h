#pragma once

// A platform window for tests that drive a FormHost: its toolkit loses the
// focus on deactivation and says no button has it while the window is
// inactive, and, like most, would leave it on a disabled button unless told
// otherwise. It records what the host asked of it.

#include "runtime/FormHost.h"

#include <doctest/doctest.h>

#include <array>
#include <vector>

class FakeWindow final : public rt::PlatformWindow
{
public:
    int focusedButton() const override { return isActive ? focus : kNoButton; }
    void dropFocus() override { focus = kNoButton; }
    void focusButton(int button) override
    {
        CHECK_MESSAGE(isActive, "an inactive window took the focus");
        focus = button;
        ++focusGiven;
    }
    bool active() const override { return isActive; }
    void showEnabled(int button, bool enabled) override { shownEnabled.at(std::size_t(button)) = enabled; }
    double scale() const override { return 1.5; }
    void repaint(const rt::PixelRect& area) override { repainted.push_back(area); }
    void barValueChanged(int bar) override { valuesTold.push_back(bar); }
    void showBusy(bool busy) override { busyTold.push_back(busy); }

    // The user leaves the window, and the toolkit takes the focus with it.
    void leave(rt::FormHost& host)
    {
        host.activated(false);
        isActive = false;
        focus = kNoButton;
    }
    void comeBack(rt::FormHost& host)
    {
        isActive = true;
        host.activated(true);
    }

    int focus = kNoButton;
    bool isActive = true;
    int focusGiven = 0;
    std::array<bool, 4> shownEnabled { true, true, true, true };
    std::vector<rt::PixelRect> repainted;
    std::vector<int> valuesTold;
    std::vector<bool> busyTold;
};
