#include "display.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace {

bool NeedsDisplay(const QByteArray& platform) {
    return platform.startsWith("xcb") || platform.startsWith("wayland");
}

}  // namespace

bool HasDisplay() {
    // A list such as "wayland;xcb" is tried in turn; any entry without a display will do.
    const QList<QByteArray> platforms = qgetenv("QT_QPA_PLATFORM").split(';');
    for (const QByteArray& platform : platforms)
        if (!platform.isEmpty() && !NeedsDisplay(platform)) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
