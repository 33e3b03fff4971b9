// Start-up: open the display, load the form, show it, run the event loop.
#include "OpenFailure.h"
#include "QtPlatform.h"
#include "QtWindow.h"
#include "runtime/Runtime.h"

#include <QApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#if __has_include(<unistd.h>)
#include <unistd.h>
#define SORTBARS_POSIX_FILES 1
#endif

namespace rt
{

namespace
{

// Scale factors outside this range cannot show the window: the window
// would be too small to see or larger than any screen, or Qt fails outright.
constexpr double kLowestScale = 0.25;
constexpr double kHighestScale = 8;

// QT_SCALE_FACTOR, read as Qt reads it: text that is not a number is ignored.
void checkScaleFactor()
{
    const QByteArray text = qgetenv("QT_SCALE_FACTOR");
    bool isNumber = false;
    const double scale = text.toDouble(&isNumber);
    if (!text.isEmpty() && isNumber && !(std::isfinite(scale) && scale >= kLowestScale && scale <= kHighestScale))
        PlatformBase::failStartUp(
            "QT_SCALE_FACTOR is \"" + text.toStdString() + "\"; it must be a number from 0.25 to 8");
}

// While the display is being opened, everything written to stderr, by Qt or
// by a library under it, goes to a scratch file instead, so that a failure
// ends in the program's one line and a success in none. Where there are no
// POSIX file descriptors it is left alone, and only Qt's messages are kept.
#if SORTBARS_POSIX_FILES
class QuietStderr
{
public:
    QuietStderr()
        : scratch_(std::tmpfile())
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        if (scratch_ && saved_ >= 0)
            dup2(fileno(scratch_), STDERR_FILENO);
    }
    ~QuietStderr() { restore(); }

    // Puts stderr back and returns what was written meanwhile.
    QString restore()
    {
        QString written;
        if (saved_ < 0)
            return written;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
        if (scratch_) {
            std::rewind(scratch_);
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, scratch_)) > 0;)
                written += QString::fromLocal8Bit(buffer, qsizetype(n));
            std::fclose(scratch_);
            scratch_ = nullptr;
        }
        return written;
    }

private:
    std::FILE* scratch_;
    int saved_ = -1;
};
#else
class QuietStderr
{
public:
    QString restore() { return {}; }
};
#endif

QuietStderr* quiet = nullptr;
OpenFailure* failure = nullptr;

// Qt's messages while the display opens are collected, and the fatal one
// Qt raises when no platform could be started becomes the one line and exit
// status 1, instead of an abort with a core dump.
void collectWhileOpening(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    failure->noteQtMessage(message);
    if (type == QtFatalMsg) {
        failure->noteLibraryOutput(quiet->restore());
        PlatformBase::cannotOpenWindow(failure->reason());
    }
}

} // namespace

int startUp(int argc, char** argv, const FormFactory& makeForm)
{
    checkScaleFactor();
    // Docks and task switchers match the window to the desktop entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(SORTBARS_APP_ID));

    std::optional<QApplication> app;
    {
        OpenFailure opening;
        QuietStderr silence;
        failure = &opening;
        quiet = &silence;
        const QtMessageHandler previous = qInstallMessageHandler(collectWhileOpening);
        app.emplace(argc, argv);
        qInstallMessageHandler(previous);
        failure = nullptr;
        quiet = nullptr;
    }
    // A platform may start with no screen at all, and Qt would abort at the
    // first window.
    if (!QGuiApplication::primaryScreen())
        PlatformBase::cannotOpenWindow(OpenFailure::noScreenReason(QGuiApplication::platformName()));

    QtPlatform platform;
    std::unique_ptr<Form> form;
    std::optional<QtWindow> window;
    runEvent(platform, [&] {
        form = makeForm(platform);
        window.emplace(*form, platform);
        platform.setMainWindow(&*window);
        window->load();
    });
    return QApplication::exec();
}

} // namespace rt
