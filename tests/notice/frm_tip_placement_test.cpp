#include <gtest/gtest.h>

#include "notice/frm_tip.h"
#include "notice/popup_placement.h"
#include "support/wait_until.h"

namespace {

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

notice::ScreenMetrics Metrics(const Layout& layout) {
    return {layout.screen, layout.workArea, 15, 15};
}

class PopupPlacement : public ::testing::TestWithParam<Layout> {};

INSTANTIATE_TEST_SUITE_P(Taskbars, PopupPlacement, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

// In twips: flush right and one window height below the screen, then 50 a tick, still below the
// screen's bottom, until the tick that brings the bottom up to it, which is the last.
TEST_P(PopupPlacement, RisesFromBelowTheScreenAndRestsAboveTheTaskbar) {
    const Layout layout = GetParam();
    const QSize size(262 * 15, 199 * 15);
    const int left = (layout.screen.x() + layout.screen.width() - 262) * 15;
    const int bottom = (layout.screen.y() + layout.screen.height()) * 15;
    notice::RiseStep step{notice::BelowScreen(Metrics(layout), size)};
    EXPECT_EQ(step.position, (notice::TwipsPoint{left, bottom + size.height()}));
    for (int ticks = 0; !step.resting && ticks < 1000; ++ticks) {
        const int raised = step.position.top - 50;
        step = notice::Rise(Metrics(layout), size, step.position.top);
        EXPECT_EQ(step.position.left, left);
        EXPECT_EQ(step.resting, raised + size.height() <= bottom) << raised;
        EXPECT_EQ(step.position.top, step.resting ? step.position.top : raised);
    }
    EXPECT_EQ(step.position.top + size.height(), layout.restBottom * 15);
}

// The window follows by its own timer, at the nearest pixel, and keeps the design's outer size.
TEST(FrmTipPlacement, ItsTimerSlidesItToRest) {
    notice::FrmTip tip([] { return Metrics(kLayouts[3]); });
    const QRect below(1920 + 1024 - 262, 868 + 199, 262, 199);
    EXPECT_EQ(tip.frameGeometry(), below);
    tip.show();
    tip.Timer1_Timer();
    EXPECT_EQ(tip.frameGeometry().top(), qRound((below.top() * 15 - 50) / 15.0));
    EXPECT_TRUE(WaitUntil([&] { return !tip.timer1().isActive(); }));
    EXPECT_EQ(tip.frameGeometry(), QRect(below.left(), 820 - 199, 262, 199));
}

}  // namespace
