#include <gtest/gtest.h>

#include "notice/frm_tip.h"
#include "support/wait_until.h"

namespace {

using notice::FrmTip;
using notice::ScreenMetrics;

struct Layout {
    const char* name;
    QRect screen;
    QRect workArea;
    int restBottom;  // where the resting window's outer frame ends, in pixels
};

ScreenMetrics Metrics(const Layout& layout) { return {layout.screen, layout.workArea, 15, 15}; }

int RightOf(const QRect& r) { return r.x() + r.width(); }
int BottomOf(const QRect& r) { return r.y() + r.height(); }

class FrmTipPlacement : public ::testing::TestWithParam<Layout> {};

// 1024 × 768 screens: the popup rests against the screen's right edge, its bottom on the top edge
// of a bottom taskbar, or on the screen's bottom when the taskbar is elsewhere.
INSTANTIATE_TEST_SUITE_P(
    Taskbars, FrmTipPlacement,
    ::testing::Values(
        Layout{"Bottom", {0, 0, 1024, 768}, {0, 0, 1024, 728}, 728},
        Layout{"Left", {0, 0, 1024, 768}, {60, 0, 964, 768}, 768},
        Layout{"Top", {0, 0, 1024, 768}, {0, 30, 1024, 738}, 768},
        // A second monitor right of and below the first: edges, not sizes, count.
        Layout{"BottomOffsetScreen", {1920, 100, 1024, 768}, {1920, 100, 1024, 720}, 820}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(FrmTipPlacement, RisesFromBelowTheScreenAndRestsAboveTheTaskbar) {
    const Layout layout = GetParam();
    FrmTip tip([&] { return Metrics(layout); });
    ASSERT_TRUE(tip.timer1().isActive());
    ASSERT_EQ(tip.timer1().interval(), 10);

    // Loaded, not yet shown: flush right, one window height below the screen's bottom edge.
    ASSERT_EQ(tip.frameGeometry().size(), QSize(262, 199));
    EXPECT_EQ(tip.frameGeometry().topLeft(),
              QPoint(RightOf(layout.screen) - 262, BottomOf(layout.screen) + 199));
    const int startTwips = BottomOf(layout.screen) * 15 + 199 * 15;

    // Shown, the window gains its title bar and border; from now on the outer frame is placed.
    tip.show();
    const QSize outer = tip.frameGeometry().size();

    // Step the slide by hand (no events run meanwhile) so every position can be seen.
    int ticks = 0;
    int lastTop = tip.frameGeometry().top();
    while (tip.timer1().isActive() && ticks < 1000) {
        tip.Timer1_Timer();
        ++ticks;
        const QRect frame = tip.frameGeometry();
        EXPECT_EQ(RightOf(frame), RightOf(layout.screen)) << "tick " << ticks;
        EXPECT_LT(frame.top(), lastTop) << "tick " << ticks;
        lastTop = frame.top();
        if (tip.timer1().isActive()) {
            // Still rising: 50 twips a tick, shown at the nearest pixel, bottom below the screen.
            EXPECT_EQ(frame.top(), qRound((startTwips - 50 * ticks) / 15.0)) << "tick " << ticks;
            EXPECT_GT(BottomOf(frame), BottomOf(layout.screen)) << "tick " << ticks;
        }
    }
    // The tick that brings the bottom up to the screen's bottom is the last one.
    const int riseTwips = startTwips - (BottomOf(layout.screen) - outer.height()) * 15;
    EXPECT_EQ(ticks, (riseTwips + 49) / 50);
    EXPECT_EQ(BottomOf(tip.frameGeometry()), layout.restBottom);
    EXPECT_EQ(tip.frameGeometry().size(), outer);
    EXPECT_EQ(tip.size(), QSize(262, 199));
}

TEST(FrmTipPlacementTimer, ItsOwnTimerBringsItToRest) {
    const Layout layout{"Bottom", {0, 0, 1024, 768}, {0, 0, 1024, 728}, 728};
    FrmTip tip([&] { return Metrics(layout); });
    tip.show();
    ASSERT_TRUE(WaitUntil([&] { return !tip.timer1().isActive(); }, 10000));
    EXPECT_EQ(RightOf(tip.frameGeometry()), 1024);
    EXPECT_EQ(BottomOf(tip.frameGeometry()), 728);
}

}  // namespace
