// Start-up: open the display, load the form, show it, run the event loop.
#include "FormWindow.h"
#include "QtPlatform.h"
#include "runtime/Runtime.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace rt
{

namespace
{

// While the display is being opened, Qt's own warnings stay quiet, and the
// fatal error Qt raises when no display can be opened becomes one plain line
// and exit status 1 instead of an abort with a core dump.
void quietUntilOpen(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return;
    const char* display = std::getenv("DISPLAY");
    if (display && *display)
        std::fprintf(stderr, "sortbars: cannot open the display \"%s\"; no window can be shown there\n", display);
    else
        std::fprintf(stderr, "sortbars: no display to show the window on (DISPLAY is not set)\n");
    std::_Exit(1);
}

} // namespace

int startUp(int argc, char** argv, const FormFactory& makeForm)
{
    const QtMessageHandler previous = qInstallMessageHandler(quietUntilOpen);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);

    QtPlatform platform;
    std::unique_ptr<Form> form;
    std::optional<FormWindow> window;
    runEvent(platform, [&] {
        form = makeForm(platform);
        window.emplace(*form, platform);
        platform.setMainWindow(&*window);
        window->load();
    });
    return app.exec();
}

} // namespace rt
