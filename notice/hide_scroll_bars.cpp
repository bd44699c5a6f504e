#include "notice/hide_scroll_bars.h"

#include <QString>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace notice {

void HideScrollBars(QWebEnginePage& page) {
    // The Scroll attribute alone is ignored by the engine; it stays for pages that read it.
    static const QString kScript = QStringLiteral(
        "(function () {"
        "  var body = document.body;"
        "  if (!body) return;"
        "  body.setAttribute('scroll', 'no');"
        "  body.style.overflow = 'hidden';"
        "  document.documentElement.style.overflow = 'hidden';"
        "})();");
    // A world of our own, so a page's script cannot redefine what this one calls.
    page.runJavaScript(kScript, QWebEngineScript::ApplicationWorld);
}

}  // namespace notice
