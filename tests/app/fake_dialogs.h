#pragma once

#include <QStringList>

#include "app/dialogs.h"

// Answers the window's dialogs without showing them.
class FakeDialogs : public Dialogs {
  public:
    QStringList messages;  // "title|text"
    std::optional<QString> nextFolder;
    QStringList folderTitles;

    void Information(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
    }
    std::optional<QString> PickFolder(QWidget*, const QString& title) override {
        folderTitles << title;
        return nextFolder;
    }
};
