#pragma once

#include "runtime/PlatformBase.h"

namespace rt
{

class WebWindow;

// The platform in the browser: the page's clock, a pump that yields to the
// browser once, and a modal dialog.
class WebPlatform final : public PlatformBase
{
public:
    void pump() override;
    void messageBox(const Message& message) override;
    [[noreturn]] void end(int status) override;

    // The window whose board each pump draws, and whose close it acts on.
    void setWindow(WebWindow* window) { window_ = window; }

private:
    double unixSeconds() const override;

    WebWindow* window_ = nullptr;
};

} // namespace rt
