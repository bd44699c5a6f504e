#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <array>

namespace vendor {

// The announcement feed's four fields as the main window keeps them between reads: caption, page
// address, the day to show it on (system short date format), and "Always".
struct NoticeFields {
    std::array<QString, 4> text;

    const QString& caption() const { return text[0]; }
    const QString& address() const { return text[1]; }
    const QString& day() const { return text[2]; }
    const QString& always() const { return text[3]; }
};

// Stores the feed's "#"-separated fields over the kept ones, untrimmed. Fields past the fourth are
// dropped; fields the feed lacks keep their earlier text. An empty feed (also what a failed request
// yields) holds no fields at all, so it changes nothing.
void ApplyFeed(const QString& feed, NoticeFields& fields);

// The announcement is due when its day is today as the given locale writes a short date, or when
// its fourth field is exactly "Always".
bool IsNoticeDue(const NoticeFields& fields, const QDate& today, const QLocale& locale);

}  // namespace vendor
