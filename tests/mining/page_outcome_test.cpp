#include <gtest/gtest.h>

#include "mining/page_outcome.h"

using mining::PageOutcome;

TEST(RunEndText, CompleteUnlessPagesWereMissedAndTheUserDidNotStop) {
    using O = PageOutcome;
    const struct {
        std::vector<PageOutcome> pages;
        bool stopped;
        const char* text;
    } cases[] = {
        {{O::Ok, O::NoMarker}, false, "恭喜！全部挖掘完成。共挖掘长尾词7条"},
        {{O::Ok, O::Refused}, true, "恭喜！全部挖掘完成。共挖掘长尾词7条"},
        {{O::Ok, O::Blocked, O::NameNotResolved, O::Blocked},
         false,
         "挖掘未完成：3个页面未能获取（搜索引擎要求验证2个，网络无法连接1个）。共挖掘长尾词7条"},
        {{O::TimedOut, O::BadCompression, O::RefusedRedirect},
         false,
         "挖掘未完成：3个页面未能获取（连接超时1个，页面无法解压1个，被转到不安全的地址1个）。"
         "共挖掘长尾词7条"},
    };
    for (const auto& c : cases) {
        mining::RunSummary summary;
        for (const PageOutcome o : c.pages) summary.Count(o, o <= O::Blocked);
        EXPECT_EQ(mining::RunEndText(summary, 7, c.stopped), QString::fromUtf8(c.text));
    }
}
