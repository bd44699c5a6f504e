#include <gtest/gtest.h>

#include "notice/frm_tip.h"
#include "support/wait_until.h"

namespace {

using notice::FrmTip;

struct Layout {
    const char* name;
    QRect screen;
    QRect workArea;
    int restBottom;  // where the resting window's outer frame ends
};

// The popup rests against the screen's right edge, on a bottom taskbar, or on the screen's bottom
// when the taskbar is elsewhere.
const Layout kLayouts[] = {
    {"Bottom", {0, 0, 1024, 768}, {0, 0, 1024, 728}, 728},
    {"Left", {0, 0, 1024, 768}, {60, 0, 964, 768}, 768},
    {"Top", {0, 0, 1024, 768}, {0, 30, 1024, 738}, 768},
    // A second monitor right of and below the first: edges, not sizes, count.
    {"BottomOffsetScreen", {1920, 100, 1024, 768}, {1920, 100, 1024, 720}, 820},
};

notice::ScreenMetricsSource Metrics(const Layout& layout) {
    return [layout] { return notice::ScreenMetrics{layout.screen, layout.workArea, 15, 15}; };
}

class FrmTipPlacement : public ::testing::TestWithParam<Layout> {};

INSTANTIATE_TEST_SUITE_P(Taskbars, FrmTipPlacement, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FrmTipPlacement, RisesFromBelowTheScreenAndRestsAboveTheTaskbar) {
    const Layout layout = GetParam();
    const int right = layout.screen.x() + layout.screen.width();
    const int bottom = layout.screen.y() + layout.screen.height();
    FrmTip tip(Metrics(layout));

    // Loaded, not yet shown: flush right, one window height below the screen's bottom edge.
    ASSERT_EQ(tip.frameGeometry().size(), QSize(262, 199));
    EXPECT_EQ(tip.frameGeometry().topLeft(), QPoint(right - 262, bottom + 199));
    const int startTwips = (bottom + 199) * 15;

    // Shown, the window gains its frame, which the client area makes room for: the outer size
    // stays the design's. The slide is stepped by hand so that every position can be seen.
    tip.show();
    const QSize outer = tip.frameGeometry().size();
    EXPECT_EQ(outer, QSize(262, 199));
    int ticks = 0;
    while (tip.timer1().isActive() && ticks < 1000) {
        tip.Timer1_Timer();
        ++ticks;
        const QRect frame = tip.frameGeometry();
        EXPECT_EQ(frame.x() + frame.width(), right) << "tick " << ticks;
        if (tip.timer1().isActive()) {
            // Still rising: 50 twips a tick at the nearest pixel, the bottom below the screen.
            EXPECT_EQ(frame.top(), qRound((startTwips - 50 * ticks) / 15.0)) << "tick " << ticks;
            EXPECT_GT(frame.y() + frame.height(), bottom) << "tick " << ticks;
        }
    }
    // The tick that brings the bottom up to the screen's bottom is the last one.
    EXPECT_EQ(ticks, (startTwips - (bottom - outer.height()) * 15 + 49) / 50);
    EXPECT_EQ(tip.frameGeometry().y() + outer.height(), layout.restBottom);
    EXPECT_EQ(tip.frameGeometry().size(), QSize(262, 199));
}

TEST(FrmTipPlacementTimer, ItsOwnTimerEndsTheSlide) {
    FrmTip tip(Metrics(kLayouts[0]));
    tip.show();
    EXPECT_TRUE(WaitUntil([&] { return !tip.timer1().isActive(); }));
}

}  // namespace
