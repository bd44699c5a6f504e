#include "notice/popup_placement.h"

namespace notice {

namespace {

// Right and bottom screen edges in twips; the screen need not start at the origin.
int ScreenRight(const ScreenMetrics& m) {
    return (m.screen.x() + m.screen.width()) * m.twipsPerPixelX;
}
int ScreenBottom(const ScreenMetrics& m) {
    return (m.screen.y() + m.screen.height()) * m.twipsPerPixelY;
}

// The part of the screen below the work area: a bottom taskbar's height, 0 for one elsewhere.
int TaskbarHeight(const ScreenMetrics& m) {
    const int workBottom = (m.workArea.y() + m.workArea.height()) * m.twipsPerPixelY;
    return ScreenBottom(m) - workBottom;
}

}  // namespace

TwipsPoint BelowScreen(const ScreenMetrics& metrics, QSize windowTwips) {
    return {ScreenRight(metrics) - windowTwips.width(),
            ScreenBottom(metrics) + windowTwips.height()};
}

RiseStep Rise(const ScreenMetrics& metrics, QSize windowTwips, int top) {
    const int left = ScreenRight(metrics) - windowTwips.width();
    const int raised = top - kRiseStepTwips;
    if (ScreenBottom(metrics) - windowTwips.height() < raised) return {{left, raised}, false};
    return {{left, ScreenBottom(metrics) - windowTwips.height() - TaskbarHeight(metrics)}, true};
}

}  // namespace notice
