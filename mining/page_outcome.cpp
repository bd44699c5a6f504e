#include "page_outcome.h"

#include <QStringList>

#include "block_signs.h"
#include "mining_run.h"

namespace mining {

namespace {

struct Words {
    const char* name;     // the command line's
    const char16_t* why;  // the window's, for a page that could not be fetched
};

const Words& WordsOf(PageOutcome outcome) {
    static const std::array<Words, kPageOutcomes> words{{
        {"ok", u""},
        {"no marker", u""},
        {"bad answer", u""},
        {"blocked", u"搜索引擎要求验证"},
        {"name not resolved", u"网络无法连接"},
        {"refused", u"服务器拒绝连接"},
        {"reset", u"连接被中断"},
        {"timed out", u"连接超时"},
        {"too large", u"页面过大"},
        {"HTTP status without body", u"服务器返回错误"},
        {"bad compression", u"页面无法解压"},
        {"refused redirect", u"被转到不安全的地址"},
        {"other failure", u"其他网络错误"},
    }};
    return words[static_cast<size_t>(outcome)];
}

PageOutcome FailureOutcome(web::Failure failure) {
    switch (failure) {
        case web::Failure::NameNotResolved:
            return PageOutcome::NameNotResolved;
        case web::Failure::Refused:
            return PageOutcome::Refused;
        case web::Failure::Reset:
            return PageOutcome::Reset;
        case web::Failure::TimedOut:
            return PageOutcome::TimedOut;
        case web::Failure::TooLarge:
            return PageOutcome::TooLarge;
        case web::Failure::StatusWithoutBody:
            return PageOutcome::StatusWithoutBody;
        case web::Failure::BadCompression:
            return PageOutcome::BadCompression;
        case web::Failure::RefusedRedirect:
            return PageOutcome::RefusedRedirect;
        default:
            return PageOutcome::OtherFailure;
    }
}

// Causes named on the command line even when no page met them; rarer ones only when they happen.
bool AlwaysNamed(PageOutcome outcome) { return outcome <= PageOutcome::StatusWithoutBody; }

}  // namespace

QString OutcomeName(PageOutcome outcome) { return QString::fromLatin1(WordsOf(outcome).name); }

PageOutcome JudgePage(Engine engine, const QString& keyword, const QString& marker,
                      const web::FetchedPage& page, Source source, bool inFormat) {
    const bool suggest = source == Source::Suggest;
    // A suggestion answer in its format is no verification page, whatever words it proposes.
    const QString text = suggest && inFormat ? QString() : page.text.value_or(QString());
    if (LooksBlocked(engine, {page.status, page.redirects, text, keyword, marker}))
        return PageOutcome::Blocked;
    if (!page.text) return FailureOutcome(page.failure);
    if (suggest) return inFormat ? PageOutcome::Ok : PageOutcome::BadAnswer;
    return text.contains(marker) ? PageOutcome::Ok : PageOutcome::NoMarker;
}

void RunSummary::Count(PageOutcome outcome, bool fetched) {
    ++counts_[static_cast<size_t>(outcome)];
    if (fetched) ++fetched_;
}

int RunSummary::Missed() const {
    int missed = 0;
    for (int i = static_cast<int>(PageOutcome::Blocked); i < kPageOutcomes; ++i)
        missed += counts_[static_cast<size_t>(i)];
    return missed;
}

QString RunSummary::Text() const {
    int failed = 0;
    QStringList causes;
    for (int i = static_cast<int>(PageOutcome::NameNotResolved); i < kPageOutcomes; ++i) {
        const auto outcome = static_cast<PageOutcome>(i);
        failed += Of(outcome);
        if (AlwaysNamed(outcome) || Of(outcome) > 0)
            causes << QStringLiteral("%1 %2").arg(OutcomeName(outcome)).arg(Of(outcome));
    }
    // Only a run on suggestions can meet a bad answer; it is named when one came.
    const QString badAnswers =
        Of(PageOutcome::BadAnswer) > 0
            ? QStringLiteral(", bad answer %1").arg(Of(PageOutcome::BadAnswer))
            : QString();
    return QStringLiteral("pages: fetched %1, failed %2, no marker %3%4, blocked %5\n")
               .arg(fetched_)
               .arg(failed)
               .arg(Of(PageOutcome::NoMarker))
               .arg(badAnswers)
               .arg(Of(PageOutcome::Blocked)) +
           QStringLiteral("failed: ") + causes.join(QStringLiteral(", ")) + u'\n';
}

QString RunEndText(const RunSummary& summary, int count, bool stopped) {
    const int missed = summary.Missed();
    if (stopped || missed == 0) return CompletionText(count);
    QStringList causes;
    for (int i = static_cast<int>(PageOutcome::Blocked); i < kPageOutcomes; ++i) {
        const auto outcome = static_cast<PageOutcome>(i);
        if (summary.Of(outcome) > 0)
            causes << QString::fromUtf16(WordsOf(outcome).why) +
                          QString::number(summary.Of(outcome)) + u'个';
    }
    return QStringLiteral("挖掘未完成：%1个页面未能获取（%2）。共挖掘长尾词%3条")
        .arg(missed)
        .arg(causes.join(u'，'))
        .arg(count);
}

}  // namespace mining
