#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace rt
{

// Why no window could be opened, told in one line from what Qt reported
// while it tried its platforms: which platform was tried and what failed,
// the X display, the Wayland compositor, a plugin that is not installed or a
// platform name that names none. Qt's own wording is collected, never shown.
class OpenFailure
{
public:
    // A message Qt logged while the display was being opened, the fatal one
    // (which lists the installed platforms) included.
    void noteQtMessage(const QString& message);
    // What libraries wrote to stderr meanwhile (libwayland-client does).
    void noteLibraryOutput(const QString& text) { libraryOutput_ += text; }

    // Why no window can be opened, in one line.
    std::string reason() const;
    // The reason for a platform that started but has no screen to open a
    // window on (linuxfb without a framebuffer, for one).
    static std::string noScreenReason(const QString& platform);

private:
    QString waylandReason() const;
    QString notInstalled(const QString& platform);

    QStringList reasons_; // one for each platform Qt tried, in order
    std::optional<QString> xDisplay_; // the display xcb could not connect to, once it says so
    QString installed_; // "eglfs, linuxfb, ..." from the fatal message
    bool unknownPlatform_ = false; // a platform was asked for that is no installed one
    QString libraryOutput_;
};

} // namespace rt
