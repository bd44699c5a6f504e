#pragma once

#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <optional>

#include "engine.h"
#include "engine_table.h"
#include "page_outcome.h"
#include "result_file.h"
#include "run_view.h"

namespace mining {

QString ProgressText(const QString& keyword, int count);
QString CompletionText(int count);
// The status line when the result file cannot be written: why (errno), and where.
QString WriteFailureText(const QString& path, int error);

// The run of one main window: start, step, next keyword, stop. The run is a loop, so its call
// depth does not grow with the keywords processed; a fetch runs the event loop, so every handler
// of the window may run in the middle of a step and is read again after it.
class MiningRun {
  public:
    // Fetches a page or a suggestion answer: its text, or why there is none.
    using PageFetcher = std::function<web::FetchedPage(const QUrl&)>;
    // Ends the fetch in progress, which then returns as failed.
    using FetchAborter = std::function<void()>;

    MiningRun(RunView& view, EngineTable engines, PageFetcher fetch, FetchAborter abort,
              QByteArray fileCharset = ResultFileCharset());

    void CmdStart_Click();
    void CmdStop_Click();
    // The window is closing: abandon the run; nothing more is written or shown.
    void Shutdown();

    qint16 MineIndex() const { return mineIndex_; }
    qint16 StopFlag() const { return stopFlag_; }
    bool Running() const { return loopActive_; }
    const EngineTable& Engines() const { return engines_; }
    const ResultFileWriter& Writer() const { return writer_; }
    // The pages of the current (or last) run by outcome.
    const RunSummary& Summary() const { return summary_; }
    // What keeps the result file from holding the list, or empty while it does.
    const QString& FileTrouble() const { return fileTrouble_; }

  private:
    void RunLoop();
    void MineBaidu();
    void MineGoogle();
    void MineTaobao();
    void MineEngine(Engine engine, const QString& engineMarker);
    bool NextKeyword();
    void Dispatch();
    void SaveResults();
    void FlushResults();
    void NoteFileTrouble(int error);

    RunView& view_;
    EngineTable engines_;
    PageFetcher fetch_;
    FetchAborter abort_;
    ResultFileWriter writer_;
    RunSummary summary_;
    QString filePath_;     // the result file last written to
    QString fileTrouble_;  // the failure said last, until a write succeeds
    qint16 mineIndex_ = 0;
    qint16 stopFlag_ = 0;
    std::uint64_t generation_ = 0;  // one per start, so a restarted run drops the old page
    bool loopActive_ = false;
    bool fetching_ = false;
    bool closing_ = false;
};

}  // namespace mining
