#include "sim/page_text.h"

#include <QUrl>

namespace sim {

QString QueryValue(const QString& keyword) {
    return QString::fromLatin1(QUrl::toPercentEncoding(keyword));
}

unsigned StableNumber(const QString& text) {
    unsigned hash = 2166136261u;  // FNV-1a over the UTF-16 code units
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

}  // namespace sim
