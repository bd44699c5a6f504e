#include "notice/page_address.h"

#include <QUrl>

namespace notice {

bool IsWebAddress(const QString& address) {
    // Strict parsing: tolerant mode would repair stray spaces and odd escapes into some other
    // address.
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return false;
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

}  // namespace notice
