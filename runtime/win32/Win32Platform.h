#pragma once

#include "runtime/PlatformBase.h"

namespace rt
{

class Win32Window;

// The platform on plain Win32: the system's precise clock, a pump over the
// thread's message queue, and the system's message box.
class Win32Platform final : public PlatformBase
{
public:
    void pump() override;
    void messageBox(const Message& message) override;

    // The window that message boxes are owned by, and whose dialog keys
    // (Tab, Shift+Tab, Space) the pump hands to it.
    void setWindow(Win32Window* window) { window_ = window; }

    // Handles one message from the queue as the pump and the event loop do.
    void dispatch(const void* message);

private:
    double unixSeconds() const override;

    Win32Window* window_ = nullptr;
};

} // namespace rt
