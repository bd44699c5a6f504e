#include "app/vendor/notice_feed.h"

#include <QStringList>

#include <algorithm>

namespace vendor {

void ApplyFeed(const QString& feed, NoticeFields& fields) {
    if (feed.isEmpty()) return;
    const QStringList parts = feed.split(u'#');
    const auto count = std::min<qsizetype>(parts.size(), std::ssize(fields.text));
    for (qsizetype i = 0; i < count; ++i) fields.text[static_cast<size_t>(i)] = parts[i];
}

bool IsNoticeDue(const NoticeFields& fields, const QDate& today, const QLocale& locale) {
    return fields.day() == locale.toString(today, QLocale::ShortFormat) ||
           fields.always() == QLatin1String("Always");
}

}  // namespace vendor
