#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>

namespace rt
{

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

} // namespace rt
