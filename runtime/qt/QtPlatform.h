#pragma once

#include "runtime/Random.h"
#include "runtime/Runtime.h"

class QWidget;

namespace rt
{

// The platform the program runs on: Qt's event loop, the system clock and
// the runtime's own generator.
class QtPlatform final : public Platform
{
public:
    float clock() override;
    void pump() override;
    float random() override { return generator_.next(); }
    void reseed(float seed) override { generator_.reseed(seed); }
    void messageBox(const Message& message) override;
    [[noreturn]] void end(int status) override;

    // The window that message boxes are modal to.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

private:
    Random generator_;
    QWidget* mainWindow_ = nullptr;
};

} // namespace rt
