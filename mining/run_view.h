#pragma once

#include <QString>

#include "engine.h"
#include "result_list.h"

namespace mining {

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
};

}  // namespace mining
