#include <gtest/gtest.h>

#include "app/vendor/notice_feed.h"
#include "app/vendor/update_answer.h"

namespace {

TEST(UpdateAnswer, OneDecimalNumberComparedExactlyWithOurRelease) {
    const auto expect = [](vendor::UpdateVerdict verdict,
                           std::initializer_list<const char*> answers) {
        for (const char* answer : answers) {
            EXPECT_EQ(vendor::JudgeUpdateAnswer(QString::fromUtf8(answer)), verdict)
                << '"' << answer << '"';
        }
    };
    // Digits, not a double nor text order: "10" is later than "4", and so is a hair over 4.
    expect(vendor::UpdateVerdict::Newer,
           {"5", "4.5", "10", " 5\r\n", "+5", "0005", "4.0000000000000001"});
    expect(vendor::UpdateVerdict::Current, {"4", "4.0", "4.", "3.9", ".5", "-7", "-0"});
    expect(vendor::UpdateVerdict::NotANumber,
           {"", " \r\n", "abc", "5abc", "1e3", "inf", "nan", ".", "-", "4.5.1", "5 6", "0x10",
            "<html>404</html>", "５"});
}

TEST(NoticeFeed, FieldsTheFeedLacksKeepTheirEarlierText) {
    using Fields = std::array<QString, 4>;
    vendor::NoticeFields fields;
    vendor::ApplyFeed("旧#http://h/old.html#2024/5/6#Always#extra", fields);
    vendor::ApplyFeed(" 新 #http://h/new.html", fields);
    EXPECT_EQ(fields.text, (Fields{" 新 ", "http://h/new.html", "2024/5/6", "Always"}));
    // A failed request reads as an empty feed, which overwrites nothing, not even the caption.
    vendor::ApplyFeed("", fields);
    EXPECT_EQ(fields.caption(), " 新 ");
    // Empty fields between separators are fields all the same.
    vendor::ApplyFeed("##", fields);
    EXPECT_EQ(fields.text, (Fields{"", "", "", "Always"}));
}

TEST(NoticeFeed, DueOnTodayInTheLocalesShortFormatOrExactlyAlways) {
    const QDate today(2024, 5, 6);
    const QLocale locale(QLocale::Chinese, QLocale::China);
    const QString day = locale.toString(today, QLocale::ShortFormat);
    // The feed, whether it is due.
    const std::pair<QString, bool> cases[] = {
        {"公告#http://h/#" + day + "#", true},
        {"公告#http://h/#2001/1/1#Always", true},
        {"公告#http://h/#2001/1/1#always", false},
        {"公告#http://h/#2001/1/1#Always\r\n", false},
        {"公告#http://h/#" + day + "\n", false},
        {"公告#http://h/#" + QLocale::c().toString(today, QLocale::LongFormat) + "#", false},
    };
    for (const auto& [feed, due] : cases) {
        vendor::NoticeFields fields;
        vendor::ApplyFeed(feed, fields);
        EXPECT_EQ(vendor::IsNoticeDue(fields, today, locale), due) << feed.toStdString();
    }
}

}  // namespace
