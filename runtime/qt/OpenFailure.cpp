#include "OpenFailure.h"

#include <QRegularExpression>

namespace rt
{

void OpenFailure::noteQtMessage(const QString& message)
{
    // Qt's own wording, as Qt 6 logs it. Made on the first message only, so
    // that a start-up that goes well never builds them.
    static const QRegularExpression kCouldNotConnectX(QStringLiteral("^could not connect to display ?(.*)$"));
    static const QRegularExpression kPluginNotLoaded(
        QStringLiteral("^Could not load the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression kPluginNotFound(
        QStringLiteral("^Could not find the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression kInstalled(QStringLiteral("Available platform plugins are: ([^\\n]*?)\\.?\\s*$"));

    if (const auto m = kPluginNotFound.match(message); m.hasMatch()) {
        reasons_ << notInstalled(m.captured(1));
    } else if (const auto m = kPluginNotLoaded.match(message); m.hasMatch()) {
        const QString platform = m.captured(1);
        if (platform == QLatin1String("xcb") && xDisplay_) {
            reasons_ << (xDisplay_->isEmpty()
                    ? QStringLiteral("X11: no X display (DISPLAY is not set)")
                    : QStringLiteral("X11: cannot open the X display \"%1\"").arg(*xDisplay_));
        } else if (platform.startsWith(QLatin1String("wayland"))) {
            reasons_ << waylandReason();
        } else {
            reasons_ << QStringLiteral("the platform \"%1\" could not start").arg(platform);
        }
        xDisplay_.reset();
    } else if (const auto m = kCouldNotConnectX.match(message); m.hasMatch()) {
        xDisplay_ = m.captured(1).trimmed();
    } else if (const auto m = kInstalled.match(message); m.hasMatch()) {
        installed_ = m.captured(1);
    }
}

QString OpenFailure::waylandReason() const
{
    // Qt does not name the socket; libwayland-client looks for WAYLAND_DISPLAY
    // (wayland-0 when it is empty) in XDG_RUNTIME_DIR.
    QString socket = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (socket.isEmpty())
        socket = QStringLiteral("wayland-0");
    return QStringLiteral("Wayland: cannot connect to the compositor \"%1\"").arg(socket);
}

QString OpenFailure::notInstalled(const QString& platform)
{
    if (platform.startsWith(QLatin1String("wayland")))
        return QStringLiteral("Wayland: the Qt Wayland platform plugin is not installed (Debian: qt6-wayland)");
    if (platform == QLatin1String("xcb"))
        return QStringLiteral("X11: the Qt X11 platform plugin is not installed (Debian: libqt6gui6)");
    unknownPlatform_ = true;
    return QStringLiteral("there is no Qt platform \"%1\" (QT_QPA_PLATFORM)").arg(platform);
}

std::string OpenFailure::noScreenReason(const QString& platform)
{
    return QStringLiteral("the platform \"%1\" has no screen").arg(platform).toStdString();
}

std::string OpenFailure::reason() const
{
    QStringList reasons = reasons_;
    // libwayland-client says so itself when it has no directory to look in.
    if (libraryOutput_.contains(QLatin1String("XDG_RUNTIME_DIR")))
        for (QString& reason : reasons)
            if (reason.startsWith(QLatin1String("Wayland: cannot connect")))
                reason += QStringLiteral(" (XDG_RUNTIME_DIR is not set)");
    QString text
        = reasons.isEmpty() ? QStringLiteral("no Qt platform could be started") : reasons.join(QStringLiteral("; "));
    if (unknownPlatform_ && !installed_.isEmpty())
        text += QStringLiteral("; installed: ") + installed_;
    return text.simplified().toStdString();
}

} // namespace rt
