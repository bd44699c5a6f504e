#pragma once

#include <QRect>

#include <functional>

namespace notice {

// What the popup needs to know about the screen, in device-independent pixels. Tests hand in their
// own to put the taskbar at the bottom, left or top.
struct ScreenMetrics {
    QRect screen;
    QRect workArea;  // the screen less the taskbar
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
};

using ScreenMetricsSource = std::function<ScreenMetrics()>;

// The primary screen, where the taskbar's work area is measured.
ScreenMetrics PrimaryScreenMetrics();

}  // namespace notice
