#include "mining_run.h"

#include <cerrno>
#include <cstring>

#include "candidate_rule.h"
#include "candidates.h"
#include "suggestions.h"

namespace mining {

namespace {

QString WriteErrorReason(int error) {
    switch (error) {
        case ENOSPC:
            return QStringLiteral("磁盘已满");
        case EDQUOT:
            return QStringLiteral("超出磁盘配额");
        case EROFS:
            return QStringLiteral("磁盘只读");
        case EACCES:
        case EPERM:
            return QStringLiteral("没有写入权限");
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("文件夹不存在");
        case ENAMETOOLONG:
            return QStringLiteral("文件名太长");
        case EINVAL:
            return QStringLiteral("文件名无效");
        case EISDIR:
            return QStringLiteral("同名文件夹已存在");
        case EIO:
            return QStringLiteral("磁盘读写错误");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

}  // namespace

QString WriteFailureText(const QString& path, int error) {
    return QStringLiteral("无法写入结果文件（%1）：%2").arg(WriteErrorReason(error), path);
}

QString ProgressText(const QString& keyword, int count) {
    return QStringLiteral("当前正在挖掘 [ ") + keyword +
           QStringLiteral(" ] 相关长尾词.....已挖掘： ") + QString::number(count) +
           QStringLiteral("条");
}

QString CompletionText(int count) {
    return QStringLiteral("恭喜！全部挖掘完成。共挖掘长尾词") + QString::number(count) +
           QStringLiteral("条");
}

MiningRun::MiningRun(RunView& view, EngineTable engines, PageFetcher fetch, FetchAborter abort,
                     QByteArray fileCharset)
    : view_(view),
      engines_(std::move(engines)),
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
    fileTrouble_.clear();
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
    FlushResults();
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

void MiningRun::MineBaidu() { MineEngine(Engine::Baidu, engines_.Of(Engine::Baidu).marker); }
void MiningRun::MineGoogle() { MineEngine(Engine::Google, engines_.Of(Engine::Google).marker); }
void MiningRun::MineTaobao() { MineEngine(Engine::Taobao, view_.TaobaoMarker()); }

void MiningRun::MineEngine(Engine engine, const QString& engineMarker) {
    const std::uint64_t generation = generation_;
    const EngineEntry& entry = engines_.Of(engine);
    PageReport report;
    report.engine = engine;
    report.source = view_.SourceOverride().value_or(entry.windowSource);
    report.keyword = view_.List().value(mineIndex_);
    const bool related = report.source == Source::Related;
    if (related) {
        const QString override = view_.MarkerOverride();
        report.marker = override.isEmpty() ? engineMarker : override;
    }
    const QUrl address = AddressFor(related ? entry.relatedUrl : entry.suggestUrl, report.keyword);
    fetching_ = true;
    const web::FetchedPage page = fetch_ ? fetch_(address) : web::FetchedPage{};
    fetching_ = false;
    if (closing_ || generation != generation_) return;
    report.fetched = page.text.has_value();
    std::optional<QStringList> candidates;
    if (page.text)
        candidates = OfferedKeywords(*page.text, report.source, report.marker, entry.format);
    report.outcome = JudgePage(engine, report.keyword, report.marker, page, report.source,
                               candidates.has_value());
    report.error = page.error;
    summary_.Count(report.outcome, report.fetched);
    view_.PageJudged(report);

    // A verification page offers nothing to mine.
    if (candidates && report.outcome != PageOutcome::Blocked) {
        report.candidates = static_cast<int>(candidates->size());
        for (const QString& raw : *candidates) {
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
        FlushResults();
    }
    view_.PageDone(report);
}

bool MiningRun::NextKeyword() {
    ++mineIndex_;
    const ResultList& list = view_.List();
    const int count = list.size();
    if (mineIndex_ > count - 1 || stopFlag_ == 1 || list.isFull()) {
        // A file that failed is tried once more: the folder may be back, the disk freed.
        if (!fileTrouble_.isEmpty() && !TrimBlanks(view_.FolderText()).isEmpty()) SaveResults();
        FlushResults();
        view_.SetStatus(fileTrouble_.isEmpty()
                            ? RunEndText(summary_, count, stopFlag_ == 1)
                            : fileTrouble_ + QStringLiteral("。共挖掘长尾词%1条").arg(count));
        view_.SetStartEnabled(true);
        return false;
    }
    view_.SetStatus(ProgressText(list.at(mineIndex_), count));
    return true;
}

void MiningRun::SaveResults() {
    const QString folder = view_.FolderText();
    const QString keyword = view_.KeyText();
    const std::optional<QString> name = ResultFileName(folder, keyword);
    filePath_ = ResultFilePath(folder, keyword);
    // A keyword with "/" cannot name a file here; the keyword stays listed.
    if (!name) return NoteFileTrouble(EINVAL);
    if (!writer_.Save(*name, view_.List())) return NoteFileTrouble(writer_.error());
    fileTrouble_.clear();
}

void MiningRun::FlushResults() {
    if (!writer_.Flush()) NoteFileTrouble(writer_.error());
}

void MiningRun::NoteFileTrouble(int error) {
    const QString text = WriteFailureText(filePath_, error);
    // Said once, not once a keyword; every later addition tries the file again.
    if (text == fileTrouble_) return;
    fileTrouble_ = text;
    if (!closing_) view_.SetStatus(text);
}

}  // namespace mining
