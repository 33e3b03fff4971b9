#pragma once

#include "runtime/PlatformBase.h"

class QWidget;

namespace rt
{

// The platform on Qt: Qt's event loop, and its message box.
class QtPlatform final : public PlatformBase
{
public:
    void pump() override;
    void messageBox(const Message& message) override;

    // The window that message boxes are modal to.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

private:
    QWidget* mainWindow_ = nullptr;
};

} // namespace rt
