#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace sim {

// The path and query of a request as one text ("/s?wd=..."), the key under which vendor answers,
// faults and hit counts are kept. Keys handed in by callers go through TargetKey so that they
// compare equal however their query was spelled.
QString PathAndQuery(const QUrl& url);
QString TargetKey(const QString& pathAndQuery);

// Path and query percent-encoded, as they travel on the wire.
QByteArray EncodedTarget(const QUrl& url);

}  // namespace sim
