#include <gtest/gtest.h>

#include "mining/page_outcome.h"

using web::Failure;

namespace {
// A page that came (None: with the marker unless blocked) or a fetch that failed.
web::FetchedPage Fetched(Failure failure, int status = 200) {
    web::FetchedPage page{{}, failure, status, {}, {}};
    if (failure == Failure::None) page.text = status == 200 ? mining::BaiduMarker() : QString();
    return page;
}
}  // namespace

// Each cause from the network layer, judged, counted and worded for the window.
TEST(PageOutcome, EveryCauseIsJudgedCountedAndWorded) {
    const struct {
        std::vector<web::FetchedPage> pages;
        bool stopped;
        const char* end;
    } cases[] = {
        {{Fetched(Failure::None), Fetched(Failure::Refused)},
         true,
         "恭喜！全部挖掘完成。共挖掘长尾词7条"},
        {{Fetched(Failure::None, 403), Fetched(Failure::NameNotResolved),
          Fetched(Failure::None, 429)},
         false,
         "挖掘未完成：3个页面未能获取（搜索引擎要求验证2个，网络无法连接1个）。共挖掘长尾词7条"},
        {{Fetched(Failure::Reset), Fetched(Failure::TimedOut), Fetched(Failure::TooLarge),
          Fetched(Failure::StatusWithoutBody), Fetched(Failure::BadCompression),
          Fetched(Failure::RefusedRedirect), Fetched(Failure::Aborted)},
         false,
         "挖掘未完成：7个页面未能获取（连接被中断1个，连接超时1个，页面过大1个，服务器返回错误1个，"
         "页面无法解压1个，被转到不安全的地址1个，其他网络错误1个）。共挖掘长尾词7条"},
    };
    for (const auto& c : cases) {
        mining::RunSummary summary;
        for (const auto& page : c.pages)
            summary.Count(JudgePage(mining::Engine::Baidu, "k", mining::BaiduMarker(), page),
                          page.text.has_value());
        EXPECT_EQ(mining::RunEndText(summary, 7, c.stopped), QString::fromUtf8(c.end));
    }
}
