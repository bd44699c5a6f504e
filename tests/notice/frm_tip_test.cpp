#include <QWindow>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "notice/frm_tip.h"

namespace {

notice::ScreenMetrics Screen() { return {{0, 0, 1024, 768}, {0, 0, 1024, 728}, 15, 15}; }

TEST(FrmTip, ClosingFadesThroughTwentyFiveStepsFiftyMsApart) {
    notice::FrmTip tip(Screen);
    std::vector<std::pair<int, int>> steps;  // opacity out of 255, pause
    tip.setFadePause([&](int ms) { steps.emplace_back(qRound(tip.windowOpacity() * 255), ms); });
    tip.show();
    tip.close();
    std::vector<std::pair<int, int>> expected;
    for (int i = 0; i < 25; ++i) expected.emplace_back(255 - 10 * i, 50);
    EXPECT_EQ(steps, expected);
    EXPECT_FALSE(tip.isVisible());
}

TEST(FrmTip, MainWindowClosingDuringTheFadeCutsItShort) {
    notice::FrmTip tip(Screen);
    int steps = 0;
    tip.setFadePause([&](int) {
        if (++steps == 3) tip.CloseWithoutFade();
    });
    tip.show();
    tip.close();
    EXPECT_EQ(steps, 3);
    EXPECT_FALSE(tip.isVisible());
}

TEST(FrmTip, CaptionIsShownExactlyAsGiven) {
    notice::FrmTip tip(Screen);
    const QString caption = QStringLiteral("公告 [*] <b>新版</b> &amp;");
    tip.SetCaption(caption);
    tip.show();
    EXPECT_EQ(tip.windowHandle()->title(), caption);
}

}  // namespace
