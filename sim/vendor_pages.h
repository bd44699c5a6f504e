#pragma once

#include "sim/reply.h"

#include <QDate>
#include <QString>
#include <QUrl>

#include <optional>

namespace sim {

// What the vendor web service answers at a path (and query, see TargetKey) until a test sets
// its own answer; nothing for paths the service does not have.
std::optional<Reply> DefaultVendorReply(const QString& key, const QUrl& base, const QDate& today);

// caption#page#date#: an announcement that is due on the given day, so a demo start shows it.
QString AnnouncementFeed(const QUrl& base, const QDate& today);

// Banner across the top of the main window: wide, and taller than its frame on purpose, so the
// window's step that hides scroll bars has something to hide.
QString BannerPage();

// The announcement itself: long enough to scroll inside the small popup window.
QString NoticePage();

QString HomePage();
QString FeedbackPage();

}  // namespace sim
