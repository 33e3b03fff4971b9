#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace rt
{

float QtPlatform::clock()
{
    // The system clock to its full resolution (nanoseconds on Linux), with
    // the local time of day's whole seconds from the C library's time zone.
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto whole = floor<seconds>(now);
    const std::time_t t = system_clock::to_time_t(whole);
    tm local {};
#if defined(_WIN32)
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const double secondsToday = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<float>(secondsToday + duration<double>(now - whole).count());
}

void QtPlatform::pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::messageBox(const Message& message)
{
    // Message has one icon and one button set today: a critical stop with OK.
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(message.title), QString::fromStdString(message.text),
        QMessageBox::Ok, mainWindow_);
    box.exec();
}

void QtPlatform::end(int status)
{
    // At once: no event loop unwinding and no destructors, so that a close in
    // the middle of a sort never returns into the sort.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace rt
