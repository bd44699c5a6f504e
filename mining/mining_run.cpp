#include "mining_run.h"

#include "candidate_rule.h"
#include "candidates.h"

namespace mining {

QString ProgressText(const QString& keyword, int count) {
    return QStringLiteral("当前正在挖掘 [ ") + keyword +
           QStringLiteral(" ] 相关长尾词.....已挖掘： ") + QString::number(count) +
           QStringLiteral("条");
}

QString CompletionText(int count) {
    return QStringLiteral("恭喜！全部挖掘完成。共挖掘长尾词") + QString::number(count) +
           QStringLiteral("条");
}

MiningRun::MiningRun(RunView& view, EngineHosts hosts, PageFetcher fetch, FetchAborter abort,
                     QByteArray fileCharset)
    : view_(view),
      hosts_(std::move(hosts)),
      fetch_(std::move(fetch)),
      abort_(std::move(abort)),
      writer_(fileCharset) {}

void MiningRun::CmdStart_Click() {
    if (closing_) return;
    if (view_.KeyText().isEmpty()) {
        view_.ShowMessage(QStringLiteral("请先输入源关键词"));
        return;
    }
    view_.SetStartEnabled(false);
    view_.ListClear();
    view_.ListAppend(TrimBlanks(view_.KeyText()));
    stopFlag_ = 0;
    mineIndex_ = 0;
    summary_ = {};
    ++generation_;
    if (loopActive_) {
        // The previous run still waits for its last page: drop that page, and let the loop that
        // is already running carry the new run, so starts never nest.
        if (fetching_ && abort_) abort_();
        return;
    }
    RunLoop();
}

void MiningRun::CmdStop_Click() {
    stopFlag_ = 1;
    writer_.Flush();
    if (!closing_) view_.SetStartEnabled(true);
}

void MiningRun::Shutdown() {
    closing_ = true;
    writer_.Flush();
    if (fetching_ && abort_) abort_();
}

void MiningRun::RunLoop() {
    loopActive_ = true;
    for (;;) {
        const std::uint64_t generation = generation_;
        Dispatch();
        if (closing_) break;
        if (generation != generation_) continue;  // restarted during the fetch
        if (!NextKeyword()) break;
    }
    loopActive_ = false;
}

void MiningRun::Dispatch() {
    switch (view_.SelectedEngine()) {
        case Engine::Baidu:
            MineBaidu();
            break;
        case Engine::Google:
            MineGoogle();
            break;
        case Engine::Taobao:
            MineTaobao();
            break;
    }
}

void MiningRun::MineBaidu() { MineEngine(Engine::Baidu, BaiduMarker()); }
void MiningRun::MineGoogle() { MineEngine(Engine::Google, GoogleMarker()); }
void MiningRun::MineTaobao() { MineEngine(Engine::Taobao, view_.TaobaoMarker()); }

void MiningRun::MineEngine(Engine engine, const QString& engineMarker) {
    const std::uint64_t generation = generation_;
    PageReport report;
    report.engine = engine;
    report.keyword = view_.List().value(mineIndex_);
    const QString override = view_.MarkerOverride();
    report.marker = override.isEmpty() ? engineMarker : override;
    fetching_ = true;
    const web::FetchedPage page =
        fetch_ ? fetch_(SearchUrl(hosts_, engine, report.keyword)) : web::FetchedPage{};
    fetching_ = false;
    if (closing_ || generation != generation_) return;
    report.fetched = page.text.has_value();
    report.outcome = JudgePage(engine, report.keyword, report.marker, page);
    report.error = page.error;
    summary_.Count(report.outcome, report.fetched);
    view_.PageJudged(report);

    // A verification page offers nothing to mine.
    if (report.fetched && report.outcome != PageOutcome::Blocked) {
        const QStringList candidates = CutCandidates(*page.text, report.marker);
        report.candidates = static_cast<int>(candidates.size());
        for (const QString& raw : candidates) {
            const auto [candidate, fate] = TakeCandidate(raw);
            if (fate == CandidateFate::TooLong) ++report.tooLong;
            if (fate != CandidateFate::Keyword) continue;
            if (view_.List().contains(candidate)) continue;
            if (!PassesFilter(candidate, view_.FilterTicked(), view_.KeyText())) continue;
            if (view_.List().isFull()) break;  // further pages could add nothing either
            view_.ListAppend(candidate);
            ++report.added;
            if (!TrimBlanks(view_.FolderText()).isEmpty()) SaveResults();
        }
        // Every addition is in the file already; one flush a page keeps the disk off the run's
        // pace.
        writer_.Flush();
    }
    view_.PageDone(report);
}

bool MiningRun::NextKeyword() {
    ++mineIndex_;
    const ResultList& list = view_.List();
    const int count = list.size();
    if (mineIndex_ > count - 1 || stopFlag_ == 1 || list.isFull()) {
        writer_.Flush();
        view_.SetStatus(RunEndText(summary_, count, stopFlag_ == 1));
        view_.SetStartEnabled(true);
        return false;
    }
    view_.SetStatus(ProgressText(list.at(mineIndex_), count));
    return true;
}

void MiningRun::SaveResults() {
    const std::optional<QString> name = ResultFileName(view_.FolderText(), view_.KeyText());
    if (!name) return;  // no file can carry this name; the keyword stays listed
    writer_.Save(*name, view_.List());
}

}  // namespace mining
