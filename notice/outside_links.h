#pragma once

#include <QWebEnginePage>

#include <memory>

namespace notice {

// A page whose links that ask for a new window (target="_blank", window.open) open in the
// desktop's browser: the embedded views have no windows of their own to give them.
class OutsideLinkPage : public QWebEnginePage {
    Q_OBJECT
  public:
    explicit OutsideLinkPage(QObject* parent = nullptr);
    ~OutsideLinkPage() override;

  protected:
    QWebEnginePage* createWindow(WebWindowType type) override;

  private:
    // Stands in for the new window; the engine keeps using it until its navigation is refused.
    std::unique_ptr<QWebEnginePage> newWindow_;
};

}  // namespace notice
