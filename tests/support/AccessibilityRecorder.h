#pragma once

// Records the accessibility events a Qt test's widgets send, as a screen
// reader would receive them. Qt sends events only while accessibility is
// active, which on the offscreen platform only its private API can switch on,
// as Qt's own accessibility tests do.

#include <QAccessible>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <vector>

class AccessibilityRecorder
{
public:
    struct Event {
        QAccessible::Event type;
        QObject* object; // the widget, or null for a child such as a bar
        QAccessibleInterface* target;
        QAccessible::State changed; // for StateChanged
    };

    AccessibilityRecorder()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        events().clear();
        QAccessible::installUpdateHandler(record);
    }
    ~AccessibilityRecorder() { QAccessible::installUpdateHandler(nullptr); }

    static std::vector<Event>& events()
    {
        static std::vector<Event> all;
        return all;
    }

private:
    static void record(QAccessibleEvent* event)
    {
        QAccessible::State changed;
        if (event->type() == QAccessible::StateChanged)
            changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
        events().push_back({ event->type(), event->object(), event->accessibleInterface(), changed });
    }
};
