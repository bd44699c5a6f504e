#pragma once

class QWebEnginePage;

namespace notice {

// Marks the current document's body Scroll="no" and hides its scroll bars the way this browser
// engine honours: overflow hidden on the root element and the body. Without a body it does nothing,
// so it is safe to call before the page has loaded.
void HideScrollBars(QWebEnginePage& page);

}  // namespace notice
