#pragma once

#include <QString>

#include <optional>

#include "engine.h"
#include "engine_table.h"
#include "page_outcome.h"
#include "result_list.h"

namespace mining {

// One page of a run as the run saw it. Surroundings that report on a run (the headless command)
// use it; the window does not.
struct PageReport {
    Engine engine = Engine::Baidu;
    Source source = Source::Related;
    QString keyword;
    QString marker;  // what a related-search page was searched for
    PageOutcome outcome = PageOutcome::OtherFailure;
    bool fetched = false;
    QString error;       // the network layer's words when the fetch failed
    int candidates = 0;  // cut from the page or read from the answer, repeats included
    int added = 0;
    int tooLong = 0;  // candidates skipped for their length
};

// What a mining run reads from and writes to its surroundings: the main window, or the headless
// command line. Every read is made afresh at the moment the step needs it, because the user may
// change the controls while a page is being fetched.
class RunView {
  public:
    virtual ~RunView() = default;

    virtual Engine SelectedEngine() const = 0;
    virtual bool FilterTicked() const = 0;
    virtual QString KeyText() const = 0;
    virtual QString FolderText() const = 0;
    virtual QString TaobaoMarker() const = 0;

    virtual const ResultList& List() const = 0;
    virtual void ListAppend(const QString& text) = 0;
    virtual void ListClear() = 0;

    virtual void SetStatus(const QString& text) = 0;
    virtual void SetStartEnabled(bool enabled) = 0;
    // An information message box titled "提示".
    virtual void ShowMessage(const QString& text) = 0;

    // Hooks for a view that reports on the run; the defaults are the window's behaviour.
    // Replaces the engine's related-search marker when not empty.
    virtual QString MarkerOverride() const { return {}; }
    // Replaces the engine's own source (its window_source in the engine table) when set.
    virtual std::optional<Source> SourceOverride() const { return std::nullopt; }
    // Asked once a page has been judged, before its keywords are cut (a block page has none).
    virtual void PageJudged(const PageReport& /*report*/) {}
    // After every page, fetched or not, before the run moves on.
    virtual void PageDone(const PageReport& /*report*/) {}
};

}  // namespace mining
