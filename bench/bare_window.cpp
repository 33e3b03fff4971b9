// The baseline for bench/startup.sh: an empty Qt window of the program's size
// and title, with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.setFixedSize(421, 310);
    window.show();
    return app.exec();
}
