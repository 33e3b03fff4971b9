#include "DestroyWatch.h"

#include <QCoreApplication>
#include <QWidget>

#if SORTBARS_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace rt
{

DestroyWatch::DestroyWatch(const QWidget& window, std::function<void()> destroyed)
    : window_(window)
    , destroyed_(std::move(destroyed))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DestroyWatch::~DestroyWatch()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool DestroyWatch::nativeEventFilter(
    [[maybe_unused]] const QByteArray& eventType, [[maybe_unused]] void* message, qintptr*)
{
#if SORTBARS_HAVE_XCB
    if (eventType != "xcb_generic_event_t")
        return false;
    // Only the X server's own notice: one that another client sent (with the
    // top bit of the type set) destroyed nothing.
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (event->response_type != XCB_DESTROY_NOTIFY)
        return false;
    const auto* destroy = static_cast<const xcb_destroy_notify_event_t*>(message);
    // Only the window Qt still believes it has: not one Qt itself let go of.
    if (window_.testAttribute(Qt::WA_WState_Created) && destroy->window == window_.internalWinId())
        destroyed_();
#endif
    return false;
}

} // namespace rt
