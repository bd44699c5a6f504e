#include <gtest/gtest.h>

#include "app/vendor/notice_feed.h"
#include "app/vendor/update_answer.h"

namespace {

using vendor::UpdateVerdict;

TEST(UpdateAnswer, NumbersCompareNumericallyWithOurRelease) {
    const struct {
        const char* answer;
        UpdateVerdict verdict;
    } cases[] = {
        {"5", UpdateVerdict::Newer},
        {"4.5", UpdateVerdict::Newer},
        {"10", UpdateVerdict::Newer},  // more digits, not a later letter
        {" 5\r\n", UpdateVerdict::Newer},
        {"+5", UpdateVerdict::Newer},
        {"0005", UpdateVerdict::Newer},
        {"4.0000000000000001", UpdateVerdict::Newer},  // a double would call this 4
        {"4", UpdateVerdict::Current},
        {"4.0", UpdateVerdict::Current},
        {"4.", UpdateVerdict::Current},
        {"3.9", UpdateVerdict::Current},
        {".5", UpdateVerdict::Current},
        {"-7", UpdateVerdict::Current},
        {"-0", UpdateVerdict::Current},
        {"\t4\n", UpdateVerdict::Current},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vendor::JudgeUpdateAnswer(QString::fromUtf8(c.answer)), c.verdict)
            << '"' << c.answer << '"';
    }
}

TEST(UpdateAnswer, AnythingButOneNumberIsNotANumber) {
    for (const char* answer : {"", " \r\n", "abc", "5abc", "v5", "1e3", "inf", "nan", ".", "+", "-",
                               "4.5.1", "5 6", "0x10", "<html>404</html>", "５"}) {
        EXPECT_EQ(vendor::JudgeUpdateAnswer(QString::fromUtf8(answer)), UpdateVerdict::NotANumber)
            << '"' << answer << '"';
    }
}

TEST(NoticeFeed, MissingFieldsKeepTheirEarlierText) {
    vendor::NoticeFields fields;
    vendor::ApplyFeed("旧#http://h/old.html#2024/5/6#Always#extra", fields);
    vendor::ApplyFeed(" 新 #http://h/new.html", fields);
    EXPECT_EQ(fields.caption(), " 新 ");  // untrimmed
    EXPECT_EQ(fields.address(), "http://h/new.html");
    EXPECT_EQ(fields.day(), "2024/5/6");
    EXPECT_EQ(fields.always(), "Always");

    // A failed request reads as an empty feed: nothing is overwritten, not even the caption.
    vendor::ApplyFeed("", fields);
    EXPECT_EQ(fields.caption(), " 新 ");
    // Empty fields between separators are fields all the same.
    vendor::ApplyFeed("##", fields);
    EXPECT_EQ(fields.caption(), "");
    EXPECT_EQ(fields.day(), "");
    EXPECT_EQ(fields.always(), "Always");
}

TEST(NoticeFeed, DueOnTodayInTheLocalesShortFormatOrAlways) {
    const QDate today(2024, 5, 6);
    const QLocale locale(QLocale::Chinese, QLocale::China);
    const QString todayText = locale.toString(today, QLocale::ShortFormat);
    const auto due = [&](const QString& feed) {
        vendor::NoticeFields fields;
        vendor::ApplyFeed(feed, fields);
        return vendor::IsNoticeDue(fields, today, locale);
    };
    EXPECT_TRUE(due("公告#http://h/#" + todayText + "#"));
    EXPECT_TRUE(due("公告#http://h/#2001/1/1#Always"));
    EXPECT_FALSE(due("公告#http://h/#2001/1/1#always"));
    EXPECT_FALSE(due("公告#http://h/#2001/1/1#Always\r\n"));
    EXPECT_FALSE(due("公告#http://h/#" + todayText + "\n"));
    EXPECT_FALSE(due("公告#http://h/#" + QLocale::c().toString(today, QLocale::LongFormat) + "#"));
    EXPECT_FALSE(due(""));
}

TEST(NoticeFeed, FewerThanThreeFieldsShowOnlyOnWhatAnEarlierReadLeft) {
    const QDate today = QDate::currentDate();
    const QLocale locale = QLocale::system();
    vendor::NoticeFields fields;
    vendor::ApplyFeed("公告#http://h/", fields);
    EXPECT_FALSE(vendor::IsNoticeDue(fields, today, locale));
    vendor::ApplyFeed("旧#http://h/#" + locale.toString(today, QLocale::ShortFormat), fields);
    vendor::ApplyFeed("公告#http://h/", fields);
    EXPECT_TRUE(vendor::IsNoticeDue(fields, today, locale));
}

}  // namespace
