#pragma once

#include <QString>

#include <array>

#include "engine.h"
#include "engine_table.h"
#include "web/fetched_page.h"

namespace mining {

// What became of one page of a run. Every page has exactly one outcome; a block page wins over the
// others, so a verification page is never reported as a page without a marker.
enum class PageOutcome {
    Ok,
    NoMarker,
    BadAnswer,  // a suggestion answer not in its engine's format
    Blocked,
    NameNotResolved,
    Refused,
    Reset,
    TimedOut,
    TooLarge,
    StatusWithoutBody,
    BadCompression,
    RefusedRedirect,
    OtherFailure,
};
inline constexpr int kPageOutcomes = static_cast<int>(PageOutcome::OtherFailure) + 1;

// The words of the command line's verbose lines and summary.
QString OutcomeName(PageOutcome outcome);

// Judges a fetched page before the run cuts keywords from it; a suggestion answer by whether it
// was in its format.
PageOutcome JudgePage(Engine engine, const QString& keyword, const QString& marker,
                      const web::FetchedPage& page, Source source = Source::Related,
                      bool inFormat = false);

// Counts the pages of a run by outcome.
class RunSummary {
  public:
    void Count(PageOutcome outcome, bool fetched);
    // Pages that came back with a body, block pages included.
    int Fetched() const { return fetched_; }
    // Pages that gave the run nothing to read: failed fetches and block pages.
    int Missed() const;
    int Of(PageOutcome outcome) const { return counts_[static_cast<size_t>(outcome)]; }
    // Two lines for the command line: the pages by kind, then the failures by cause.
    QString Text() const;

  private:
    std::array<int, kPageOutcomes> counts_{};
    int fetched_ = 0;
};

// The status line at the end of a run of `count` keywords: the completion text when every page
// came (or the user stopped the run), otherwise how many pages could not be fetched and why.
QString RunEndText(const RunSummary& summary, int count, bool stopped);

}  // namespace mining
