#include "notice/page_address.h"

namespace notice {

QUrl WebPageUrl(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return {};
    return url;
}

}  // namespace notice
