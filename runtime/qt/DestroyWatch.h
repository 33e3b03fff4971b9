#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

namespace rt
{

// Calls back when another client (or the window system) destroys the
// window's native X11 window: no close request comes then, and without this
// the program would go on with nothing on screen. Does nothing on other
// platforms, where a window is only closed through a request.
class DestroyWatch final : public QAbstractNativeEventFilter
{
public:
    DestroyWatch(const QWidget& window, std::function<void()> destroyed);
    ~DestroyWatch() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
    std::function<void()> destroyed_;
};

} // namespace rt
