#include <gtest/gtest.h>

#include "notice/frm_tip.h"
#include "notice/popup_placement.h"
#include "support/wait_until.h"

namespace {

struct Layout {
    const char* name;
    notice::ScreenMetrics metrics;  // 15 twips a pixel
    int restBottom;                 // where the resting window's outer frame ends
};

// The popup rests against the screen's right edge, on a bottom taskbar, or on the screen's bottom
// when the taskbar is elsewhere.
const Layout kLayouts[] = {
    {"Bottom", {{0, 0, 1024, 768}, {0, 0, 1024, 728}}, 728},
    {"Left", {{0, 0, 1024, 768}, {60, 0, 964, 768}}, 768},
    {"Top", {{0, 0, 1024, 768}, {0, 30, 1024, 738}}, 768},
    // A second monitor right of and below the first: edges, not sizes, count.
    {"BottomOffsetScreen", {{1920, 100, 1024, 768}, {1920, 100, 1024, 720}}, 820},
};

// In twips: flush right and one window height below the screen, then 50 a tick, still below the
// screen's bottom, until the tick that brings the bottom up to it, which is the last.
TEST(PopupPlacement, RisesFromBelowTheScreenAndRestsAboveTheTaskbar) {
    const QSize size(262 * 15, 199 * 15);
    for (const auto& [name, metrics, restBottom] : kLayouts) {
        SCOPED_TRACE(name);
        const int left = (metrics.screen.right() + 1 - 262) * 15;
        const int bottom = (metrics.screen.bottom() + 1) * 15;
        const int restTop = restBottom * 15 - size.height();
        notice::RiseStep step{notice::BelowScreen(metrics, size)};
        EXPECT_EQ(step.position, (notice::TwipsPoint{left, bottom + size.height()}));
        for (int ticks = 0; !step.resting && ticks < 1000; ++ticks) {
            const int raised = step.position.top - 50;
            step = notice::Rise(metrics, size, step.position.top);
            EXPECT_EQ(step.resting, raised + size.height() <= bottom) << raised;
            EXPECT_EQ(step.position, (notice::TwipsPoint{left, step.resting ? restTop : raised}));
        }
    }
}

// The window starts below the screen and follows by its own timer, at the nearest pixel, keeping
// the design's outer size.
TEST(FrmTipPlacement, ItsTimerSlidesItToRest) {
    notice::FrmTip tip([] { return kLayouts[3].metrics; });
    const QRect below(1920 + 1024 - 262, 868 + 199, 262, 199);
    tip.show();
    tip.Timer1_Timer();
    EXPECT_EQ(tip.frameGeometry().top(), qRound((below.top() * 15 - 50) / 15.0));
    EXPECT_TRUE(WaitUntil([&] { return !tip.timer1().isActive(); }));
    EXPECT_EQ(tip.frameGeometry(), QRect(below.left(), 820 - 199, 262, 199));
}

}  // namespace
