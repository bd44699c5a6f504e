#pragma once

#include <QString>

#include <array>

#include "mining/run_view.h"
#include "web/mod_http.h"

// What became of one page of a headless run. Every page has exactly one outcome; a block page
// wins over the others, so a verification page is never reported as a page without a marker.
enum class PageOutcome {
    Ok,
    NoMarker,
    Blocked,
    NameNotResolved,
    Refused,
    Reset,
    TimedOut,
    TooLarge,
    StatusWithoutBody,
    OtherFailure,
};
inline constexpr int kPageOutcomes = static_cast<int>(PageOutcome::OtherFailure) + 1;

// The words the verbose lines and the summary use.
QString OutcomeName(PageOutcome outcome);

// Judges the answer to the page's request before the run cuts keywords from it.
PageOutcome JudgePage(const mining::PageReport& report, const web::HttpResult& answer,
                      const QString& page);

// Counts the pages of a run by outcome; `fetched` counts every page that came back with a body.
class RunSummary {
  public:
    void Count(PageOutcome outcome, bool fetched);
    int Fetched() const { return fetched_; }
    int Of(PageOutcome outcome) const { return counts_[static_cast<size_t>(outcome)]; }
    // Two lines: the pages by kind, then the failures by cause.
    QString Text() const;

  private:
    std::array<int, kPageOutcomes> counts_{};
    int fetched_ = 0;
};
