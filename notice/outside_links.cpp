#include "notice/outside_links.h"

#include <QDesktopServices>

#include "notice/page_address.h"

namespace notice {

namespace {

// Takes the new window's first address to the desktop's browser and refuses to load it here.
// Only web addresses go out: the page that asked is not ours to trust.
class NewWindowCatcher : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (!isMainFrame) return false;
        if (const QUrl web = WebPageUrl(url.toString()); !web.isEmpty())
            QDesktopServices::openUrl(web);
        return false;
    }
};

}  // namespace

OutsideLinkPage::OutsideLinkPage(QObject* parent) : QWebEnginePage(parent) {}

OutsideLinkPage::~OutsideLinkPage() = default;

QWebEnginePage* OutsideLinkPage::createWindow(WebWindowType) {
    newWindow_ = std::make_unique<NewWindowCatcher>(profile());
    return newWindow_.get();
}

}  // namespace notice
