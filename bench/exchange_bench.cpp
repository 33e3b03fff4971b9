// Times exchanges and a whole Push-sort in the real window, and the pumps
// inside them. Prints ratios against the paced ideal, measured in one run.
// Run through bench/exchange.sh, which provides the X server and then the
// Wayland compositor.
#include "ExchangeRun.h"

#include "runtime/qt/QtPlatform.h"
#include "runtime/qt/QtWindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    bench::TimedPlatform<rt::QtPlatform> platform;
    Form1 form(platform);
    rt::QtWindow window(form, platform);
    window.load();
    QTimer::singleShot(500, &window, [&] {
        bench::run(form, platform);
        QApplication::quit();
    });
    return app.exec();
}
