#pragma once

#include <QList>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>

#include "app/command_line.h"
#include "app/list_export.h"
#include "mining/run_view.h"
#include "web/mod_http.h"

// The run's surroundings without a window: fixed choices, status lines to a stream, and a report
// of every page (its outcome, the keywords it offered and the tree they form).
class HeadlessView final : public mining::RunView {
  public:
    HeadlessView(const CommandLine& cl, QString taobaoMarker, std::FILE* status);

    mining::Engine SelectedEngine() const override { return engine_; }
    bool FilterTicked() const override { return contains_; }
    QString KeyText() const override { return keyword_; }
    QString FolderText() const override { return folder_; }
    QString TaobaoMarker() const override { return taobaoMarker_; }
    const mining::ResultList& List() const override { return list_; }
    void ListAppend(const QString& text) override;
    void ListClear() override;
    void SetStatus(const QString& text) override;
    void SetStartEnabled(bool) override {}
    void ShowMessage(const QString& text) override;

    QString MarkerOverride() const override { return marker_; }
    std::optional<mining::Source> SourceOverride() const override { return source_; }
    void PageJudged(const mining::PageReport& report) override;
    void PageDone(const mining::PageReport& report) override;

    // Called at the first block page when the user asked to stop there.
    void SetStopper(std::function<void()> stop) { stop_ = std::move(stop); }

    const QList<TreeEntry>& Tree() const { return tree_; }

  private:
    void Print(const QString& line);

    mining::Engine engine_;
    bool contains_;
    QString keyword_;
    QString folder_;
    QString marker_;
    QString taobaoMarker_;
    mining::Source source_;
    bool verbose_;
    bool stopWhenBlocked_;
    mining::ResultList list_;
    QList<TreeEntry> tree_;
    std::FILE* status_;

    int parent_ = -1;  // the position in the list of the page being processed
    mining::Engine pageEngine_ = mining::Engine::Baidu;
    mining::Source pageSource_ = mining::Source::Related;
    std::function<void()> stop_;
};

// Runs `quelvo mine`; the final list goes to `out` in the chosen format, the status lines and the
// summary to `status`. Returns the exit status: 0, or 1 when no page at all could be fetched or
// the result file does not hold the list, or 2 when the engines file was refused.
int RunHeadlessMine(const CommandLine& cl, std::FILE* out, std::FILE* status,
                    int transferTimeoutMs = web::ModHttp::kDefaultTransferTimeoutMs,
                    int pageDeadlineMs = web::ModHttp::kDefaultPageDeadlineMs);
