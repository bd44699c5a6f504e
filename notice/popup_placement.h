#pragma once

#include <QSize>

#include "notice/screen_metrics.h"

namespace notice {

struct TwipsPoint {
    int left = 0;
    int top = 0;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

// How far the popup rises per tick of its slide timer.
inline constexpr int kRiseStepTwips = 50;

// Where the popup waits before it rises: flush with the screen's right edge, wholly below its
// bottom edge (a window height of gap, so the first ticks are off screen too).
TwipsPoint BelowScreen(const ScreenMetrics& metrics, QSize windowTwips);

struct RiseStep {
    TwipsPoint position;
    bool resting = false;  // the slide is over
};

// One tick of the slide from `top`. Once the window's bottom has come up to the screen's bottom it
// jumps to rest on a bottom taskbar; a taskbar elsewhere leaves it at the screen's bottom.
RiseStep Rise(const ScreenMetrics& metrics, QSize windowTwips, int top);

}  // namespace notice
