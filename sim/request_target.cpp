#include "sim/request_target.h"

namespace sim {

QString PathAndQuery(const QUrl& url) {
    QString target = url.path();
    if (target.isEmpty()) target = QStringLiteral("/");
    if (url.hasQuery()) target += u'?' + url.query();
    return target;
}

QString TargetKey(const QString& pathAndQuery) { return PathAndQuery(QUrl(pathAndQuery)); }

QByteArray EncodedTarget(const QUrl& url) {
    return url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
}

}  // namespace sim
