#pragma once

#include "runtime/Random.h"
#include "runtime/Runtime.h"

namespace rt
{

class WebWindow;

// The platform in the browser: the page's clock, a pump that yields to the
// browser once, the runtime's own generator, and a modal dialog.
class WebPlatform final : public Platform
{
public:
    float clock() override;
    void pump() override;
    float random() override { return generator_.next(); }
    void reseed(float seed) override { generator_.reseed(seed); }
    void messageBox(const Message& message) override;
    [[noreturn]] void end(int status) override;

    // The window whose board each pump draws, and whose close it acts on.
    void setWindow(WebWindow* window) { window_ = window; }

private:
    Random generator_;
    WebWindow* window_ = nullptr;
};

} // namespace rt
