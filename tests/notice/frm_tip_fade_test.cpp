#include <gtest/gtest.h>

#include <vector>

#include "notice/frm_tip.h"

namespace {

using notice::FrmTip;

notice::ScreenMetrics Screen() { return {{0, 0, 1024, 768}, {0, 0, 1024, 728}, 15, 15}; }

struct FadeStep {
    int alpha;
    int pauseMs;
};

// Records the window's opacity at every pause instead of sleeping through the 1.25 s fade.
class FrmTipFade : public ::testing::Test {
  protected:
    FrmTipFade() : tip(Screen) {
        tip.setFadePause([this](int ms) {
            steps.push_back({qRound(tip.windowOpacity() * 255), ms});
            if (onPause) onPause(static_cast<int>(steps.size()));
        });
        tip.show();
    }

    FrmTip tip;
    std::vector<FadeStep> steps;
    std::function<void(int)> onPause;
};

TEST_F(FrmTipFade, ClosingFadesThroughTwentyFiveStepsFiftyMsApart) {
    EXPECT_EQ(tip.FadeDelay(), 50);
    EXPECT_TRUE(tip.close());
    ASSERT_EQ(steps.size(), 25u);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].alpha, 255 - 10 * static_cast<int>(i)) << "step " << i;
        EXPECT_EQ(steps[i].pauseMs, 50) << "step " << i;
    }
    EXPECT_EQ(steps.back().alpha, 15);
    EXPECT_FALSE(tip.isVisible());
}

TEST_F(FrmTipFade, MainWindowClosingMakesItVanishWithoutFading) {
    tip.CloseWithoutFade();
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(tip.isVisible());
    EXPECT_FALSE(tip.timer1().isActive());
}

TEST_F(FrmTipFade, MainWindowClosingDuringTheFadeCutsItShort) {
    onPause = [this](int step) {
        if (step == 3) tip.CloseWithoutFade();
    };
    tip.close();
    EXPECT_EQ(steps.size(), 3u);
    EXPECT_FALSE(tip.isVisible());
}

}  // namespace
