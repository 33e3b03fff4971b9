#pragma once

#include "runtime/Random.h"
#include "runtime/Runtime.h"

namespace rt
{

class Win32Window;

// The platform on plain Win32: the system's precise clock, a pump over the
// thread's message queue, the runtime's own generator, and the system's
// message box.
class Win32Platform final : public Platform
{
public:
    float clock() override;
    void pump() override;
    float random() override { return generator_.next(); }
    void reseed(float seed) override { generator_.reseed(seed); }
    void messageBox(const Message& message) override;
    [[noreturn]] void end(int status) override;

    // The window that message boxes are owned by, and whose dialog keys
    // (Tab, Shift+Tab, Space) the pump hands to it.
    void setWindow(Win32Window* window) { window_ = window; }

    // Handles one message from the queue as the pump and the event loop do.
    void dispatch(const void* message);

private:
    Random generator_;
    Win32Window* window_ = nullptr;
};

} // namespace rt
