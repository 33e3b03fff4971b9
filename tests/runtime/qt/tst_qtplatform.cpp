// The Qt platform's own services: the end of the program with its status,
// the critical message box, and the X11 destroy watch.
#include "runtime/qt/DestroyWatch.h"
#include "runtime/qt/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include <sys/wait.h>
#include <unistd.h>

#if SORTBARS_HAVE_XCB
#include <xcb/xcb.h>
#endif

class TestQtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void endExitsWithItsStatus_data();
    void endExitsWithItsStatus();
    void messageBoxIsCriticalWithOk();
    void destroyWatchActsOnlyOnTheServersNotice();
};

void TestQtPlatform::endExitsWithItsStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("closed") << 0;
    QTest::newRow("runtime error") << 1;
    QTest::newRow("another") << 3;
}

void TestQtPlatform::endExitsWithItsStatus()
{
    QFETCH(int, status);
    std::fflush(nullptr); // nothing buffered is written twice
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0)
        rt::QtPlatform().end(status); // the child ends here, whatever happens
    int result = 0;
    QCOMPARE(waitpid(child, &result, 0), child);
    QVERIFY(WIFEXITED(result));
    QCOMPARE(WEXITSTATUS(result), status);
}

void TestQtPlatform::messageBoxIsCriticalWithOk()
{
    QWidget owner;
    owner.show();
    rt::QtPlatform platform;
    platform.setMainWindow(&owner);
    struct {
        bool seen = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QWidget* parent = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
    } shown;
    // Reads the box once it is up, then dismisses it as the user would.
    QTimer::singleShot(0, this, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = { true, box->icon(), box->windowTitle(), box->text(), box->standardButtons(), box->parentWidget(),
            box->windowModality() };
        box->button(QMessageBox::Ok)->click();
    });

    platform.messageBox({ "Error in algorithm design!", "Error!", rt::Message::Icon::Critical,
        rt::Message::Buttons::OkOnly }); // returns once dismissed

    QVERIFY2(shown.seen, "no message box was shown");
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.title, QString("Error!"));
    QCOMPARE(shown.text, QString("Error in algorithm design!"));
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(shown.parent, &owner);
    QVERIFY(shown.modality != Qt::NonModal);
}

void TestQtPlatform::destroyWatchActsOnlyOnTheServersNotice()
{
#if SORTBARS_HAVE_XCB
    QWidget window;
    window.winId(); // a native window, as the shown form has
    int destroyed = 0;
    rt::DestroyWatch watch(window, [&destroyed] { ++destroyed; });
    const auto notice = [&window](std::uint8_t type, WId id) {
        xcb_destroy_notify_event_t event {};
        event.response_type = type;
        event.window = xcb_window_t(id);
        event.event = event.window;
        return event;
    };
    const auto deliver = [&watch](const QByteArray& kind, xcb_destroy_notify_event_t event) {
        watch.nativeEventFilter(kind, &event, nullptr);
    };
    const WId id = window.internalWinId();
    QVERIFY(id != 0);

    deliver("xcb_generic_event_t", notice(XCB_DESTROY_NOTIFY | 0x80, id)); // sent by another client
    deliver("xcb_generic_event_t", notice(XCB_DESTROY_NOTIFY, id + 1)); // another window
    deliver("xcb_generic_event_t", notice(XCB_UNMAP_NOTIFY, id)); // not a destruction
    deliver("windows_generic_MSG", notice(XCB_DESTROY_NOTIFY, id)); // not from X11 at all
    QCOMPARE(destroyed, 0);

    deliver("xcb_generic_event_t", notice(XCB_DESTROY_NOTIFY, id)); // the server's own notice
    QCOMPARE(destroyed, 1);
#else
    QSKIP("built without X11");
#endif
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
