#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace rt
{

float QtPlatform::clock()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    localtime_r(&now.tv_sec, &local);
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<float>(seconds + now.tv_nsec * 1e-9);
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
