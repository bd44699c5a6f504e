#pragma once

#include <QStringList>

#include <cstdio>

#include "app/command_line.h"
#include "mining/run_view.h"

// The run's surroundings without a window: fixed choices, status lines to a stream.
class HeadlessView final : public mining::RunView {
  public:
    HeadlessView(const CommandLine& cl, std::FILE* status);

    mining::Engine SelectedEngine() const override { return engine_; }
    bool FilterTicked() const override { return contains_; }
    QString KeyText() const override { return keyword_; }
    QString FolderText() const override { return folder_; }
    QString TaobaoMarker() const override;
    const mining::ResultList& List() const override { return list_; }
    void ListAppend(const QString& text) override { list_.append(text); }
    void ListClear() override { list_.clear(); }
    void SetStatus(const QString& text) override;
    void SetStartEnabled(bool) override {}
    void ShowMessage(const QString& text) override;

  private:
    mining::Engine engine_;
    bool contains_;
    QString keyword_;
    QString folder_;
    mining::ResultList list_;
    std::FILE* status_;
};

// Runs `quelvo mine`; the final list goes to `out`, one keyword a line. Returns the exit status.
int RunHeadlessMine(const CommandLine& cl, std::FILE* out, std::FILE* status);
