#include <gtest/gtest.h>

#include <tuple>

#include "mining/page_outcome.h"

using web::Failure;

namespace {
QString Marker() { return mining::DefaultEngineTable().Of(mining::Engine::Baidu).marker; }

// A page that came (None: with the marker unless blocked) or a fetch that failed.
web::FetchedPage Fetched(Failure failure, int status = 200) {
    web::FetchedPage page{{}, failure, status, {}, {}};
    if (failure == Failure::None) page.text = status == 200 ? Marker() : QString();
    return page;
}
}  // namespace

// Each cause from the network layer, judged, counted and worded for the window.
TEST(PageOutcome, EveryCauseIsJudgedCountedAndWorded) {
    const std::tuple<std::vector<web::FetchedPage>, bool, const char*> cases[] = {
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
    for (const auto& [pages, stopped, end] : cases) {
        mining::RunSummary summary;
        for (const auto& page : pages)
            summary.Count(JudgePage(mining::Engine::Baidu, "k", Marker(), page),
                          page.text.has_value());
        EXPECT_EQ(mining::RunEndText(summary, 7, stopped), QString::fromUtf8(end));
    }
}

// A suggestion answer in its format is taken whatever words it proposes; out of it, a verification
// page is still told apart from an answer that has changed its shape.
TEST(PageOutcome, ASuggestionAnswerIsJudgedByItsFormat) {
    using mining::PageOutcome;
    const auto judge = [](const char* text, bool inFormat) {
        const web::FetchedPage answer{QString::fromUtf8(text), Failure::None, 200, {}, {}};
        return JudgePage(mining::Engine::Taobao, "k", {}, answer, mining::Source::Suggest,
                         inFormat);
    };
    EXPECT_EQ(judge(R"({"result": [["验证码拦截"]]})", true), PageOutcome::Ok);
    EXPECT_EQ(judge("<title>验证码拦截</title>", false), PageOutcome::Blocked);
    EXPECT_EQ(judge("<title>404</title>", false), PageOutcome::BadAnswer);
}
