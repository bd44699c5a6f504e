#pragma once

#include <QString>

#include <optional>

class QWidget;

// The modal dialogs of the main window, behind a seam so tests can answer them without blocking.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message box with an information icon and an OK button.
    virtual void Information(QWidget* parent, const QString& title, const QString& text) = 0;
    // The chosen folder, or nothing when the user cancelled.
    virtual std::optional<QString> PickFolder(QWidget* parent, const QString& title) = 0;
};

class QtDialogs final : public Dialogs {
  public:
    void Information(QWidget* parent, const QString& title, const QString& text) override;
    std::optional<QString> PickFolder(QWidget* parent, const QString& title) override;
};
