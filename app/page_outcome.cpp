#include "page_outcome.h"

#include <QStringList>

#include "mining/block_signs.h"

QString OutcomeName(PageOutcome outcome) {
    switch (outcome) {
        case PageOutcome::Ok:
            return QStringLiteral("ok");
        case PageOutcome::NoMarker:
            return QStringLiteral("no marker");
        case PageOutcome::Blocked:
            return QStringLiteral("blocked");
        case PageOutcome::NameNotResolved:
            return QStringLiteral("name not resolved");
        case PageOutcome::Refused:
            return QStringLiteral("refused");
        case PageOutcome::Reset:
            return QStringLiteral("reset");
        case PageOutcome::TimedOut:
            return QStringLiteral("timed out");
        case PageOutcome::TooLarge:
            return QStringLiteral("too large");
        case PageOutcome::StatusWithoutBody:
            return QStringLiteral("HTTP status without body");
        case PageOutcome::OtherFailure:
            break;
    }
    return QStringLiteral("other failure");
}

namespace {

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
        default:
            return PageOutcome::OtherFailure;
    }
}

}  // namespace

PageOutcome JudgePage(const mining::PageReport& report, const web::HttpResult& answer,
                      const QString& page) {
    const mining::EngineAnswer seen{answer.status, answer.redirects, page, report.keyword,
                                    report.marker};
    if (mining::LooksBlocked(report.engine, seen)) return PageOutcome::Blocked;
    if (!answer.ok) return FailureOutcome(answer.failure);
    return page.contains(report.marker) ? PageOutcome::Ok : PageOutcome::NoMarker;
}

void RunSummary::Count(PageOutcome outcome, bool fetched) {
    ++counts_[static_cast<size_t>(outcome)];
    if (fetched) ++fetched_;
}

QString RunSummary::Text() const {
    int failed = 0;
    QStringList causes;
    for (int i = static_cast<int>(PageOutcome::NameNotResolved); i < kPageOutcomes; ++i) {
        const auto outcome = static_cast<PageOutcome>(i);
        failed += Of(outcome);
        // Other failures are rare enough to be named only when they happen.
        if (outcome != PageOutcome::OtherFailure || Of(outcome) > 0)
            causes << QStringLiteral("%1 %2").arg(OutcomeName(outcome)).arg(Of(outcome));
    }
    return QStringLiteral("pages: fetched %1, failed %2, no marker %3, blocked %4\n")
               .arg(fetched_)
               .arg(failed)
               .arg(Of(PageOutcome::NoMarker))
               .arg(Of(PageOutcome::Blocked)) +
           QStringLiteral("failed: ") + causes.join(QStringLiteral(", ")) + u'\n';
}
