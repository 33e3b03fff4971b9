// The one line that says why no window could be opened, from what Qt 6
// really logs (its messages reach the handler without their category) and
// what libwayland-client writes to stderr meanwhile.
#include "runtime/qt/OpenFailure.h"

#include <QTest>

class TestOpenFailure : public QObject
{
    Q_OBJECT

private slots:
    void lineFromQtsMessages_data();
    void lineFromQtsMessages();
    void lineForAPlatformWithNoScreen();
};

namespace
{

const QString kFatal = QStringLiteral(
    "This application failed to start because no Qt platform plugin could be initialized. Reinstalling the "
    "application may fix this problem.\n\nAvailable platform plugins are: wayland-egl, minimal, linuxfb, offscreen, "
    "xcb, eglfs, vnc, vkkhrdisplay, minimalegl, wayland.\n");
const QString kNoXcb
    = QStringLiteral("Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.");
const QString kNoWayland
    = QStringLiteral("Could not load the Qt platform plugin \"wayland\" in \"\" even though it was found.");
const QString kNoDisplay = QStringLiteral("could not connect to display ");
const QString kNoWlDisplay = QStringLiteral("Failed to create wl_display (No such file or directory)\n");

} // namespace

void TestOpenFailure::lineFromQtsMessages_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("libraryOutput");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("line");

    QTest::newRow("DISPLAY not set") << QStringList { kNoDisplay, kNoXcb, kFatal } << ""
                                     << ""
                                     << "X11: no X display (DISPLAY is not set)";
    QTest::newRow("no X server at :97") << QStringList { "could not connect to display :97", kNoXcb, kFatal } << ""
                                        << ""
                                        << "X11: cannot open the X display \":97\"";
    QTest::newRow("XDG_RUNTIME_DIR not set")
        << QStringList { kNoWayland, kFatal }
        << "error: XDG_RUNTIME_DIR is invalid or not set in the environment.\n" + kNoWlDisplay << ""
        << "Wayland: cannot connect to the compositor \"wayland-0\" (XDG_RUNTIME_DIR is not set)";
    QTest::newRow("no compositor at the socket") << QStringList { kNoWayland, kFatal } << kNoWlDisplay << "wayland-7"
                                                 << "Wayland: cannot connect to the compositor \"wayland-7\"";
    QTest::newRow("wayland-egl, with its EGL message") << QStringList { "Failed to initialize EGL display 3001",
        "Could not load the Qt platform plugin \"wayland-egl\" in \"\" even though it was found.", kFatal }
                                                       << kNoWlDisplay << ""
                                                       << "Wayland: cannot connect to the compositor \"wayland-0\"";
    QTest::newRow("Wayland, then X11") << QStringList { kNoWayland, kNoDisplay, kNoXcb, kFatal } << kNoWlDisplay << ""
                                       << "Wayland: cannot connect to the compositor \"wayland-0\"; "
                                          "X11: no X display (DISPLAY is not set)";
    QTest::newRow("Wayland plugin not installed")
        << QStringList { "Could not find the Qt platform plugin \"wayland\" in \"\"", kNoDisplay, kNoXcb, kFatal } << ""
        << ""
        << "Wayland: the Qt Wayland platform plugin is not installed (Debian: qt6-wayland); "
           "X11: no X display (DISPLAY is not set)";
    QTest::newRow("X11 plugin not installed")
        << QStringList { "Could not find the Qt platform plugin \"xcb\" in \"\"", kFatal } << ""
        << ""
        << "X11: the Qt X11 platform plugin is not installed (Debian: libqt6gui6)";
    QTest::newRow("a platform that is none")
        << QStringList { "Could not find the Qt platform plugin \"foo\" in \"\"", kFatal } << ""
        << ""
        << "there is no Qt platform \"foo\" (QT_QPA_PLATFORM); installed: wayland-egl, minimal, linuxfb, offscreen, "
           "xcb, eglfs, vnc, vkkhrdisplay, minimalegl, wayland";
    QTest::newRow("another platform that fails")
        << QStringList { "Could not load the Qt platform plugin \"eglfs\" in \"\" even though it was found.", kFatal }
        << ""
        << ""
        << "the platform \"eglfs\" could not start";
    QTest::newRow("nothing but the fatal message") << QStringList { kFatal } << ""
                                                   << ""
                                                   << "no Qt platform could be started";
}

void TestOpenFailure::lineFromQtsMessages()
{
    QFETCH(QStringList, messages);
    QFETCH(QString, libraryOutput);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, line);
    if (waylandDisplay.isEmpty())
        qunsetenv("WAYLAND_DISPLAY");
    else
        qputenv("WAYLAND_DISPLAY", waylandDisplay.toUtf8());

    rt::OpenFailure failure;
    for (const QString& message : messages)
        failure.noteQtMessage(message);
    failure.noteLibraryOutput(libraryOutput);

    QCOMPARE(QString::fromStdString(failure.reason()), line);
}

void TestOpenFailure::lineForAPlatformWithNoScreen()
{
    QCOMPARE(QString::fromStdString(rt::OpenFailure::noScreenReason("linuxfb")),
        QString("the platform \"linuxfb\" has no screen"));
}

QTEST_GUILESS_MAIN(TestOpenFailure)
#include "tst_openfailure.moc"
