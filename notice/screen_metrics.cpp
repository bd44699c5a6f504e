#include "notice/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

#include "notice/twips.h"

namespace notice {

ScreenMetrics PrimaryScreenMetrics() {
    ScreenMetrics metrics;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        metrics.screen = screen->geometry();
        metrics.workArea = screen->availableGeometry();
    }
    // Qt positions are device-independent pixels, which is exactly what twips were measured in.
    metrics.twipsPerPixelX = kTwipsPerPixel;
    metrics.twipsPerPixelY = kTwipsPerPixel;
    return metrics;
}

}  // namespace notice
