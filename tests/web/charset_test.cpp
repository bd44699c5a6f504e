#include <QStringEncoder>

#include <gtest/gtest.h>

#include "web/mod_http.h"

using web::BytesToText;
using web::IsUtf8;

namespace {
QByteArray Gbk(const QString& s) {
    QStringEncoder e("GB18030");
    return e.encode(s);
}
QByteArray B(std::initializer_list<int> bytes) {
    QByteArray out;
    for (int b : bytes) out.append(static_cast<char>(b));
    return out;
}
}  // namespace

TEST(IsUtf8, ShortBodiesAndPlainAsciiAreNot) {
    EXPECT_FALSE(IsUtf8(QByteArray()));
    EXPECT_FALSE(IsUtf8(B({0xE4})));
    EXPECT_FALSE(IsUtf8(B({0xC3, 0xA9})));  // a whole two-byte sequence, but too short
    EXPECT_FALSE(IsUtf8("plain ascii page"));
}

TEST(IsUtf8, ByteOrderMarkDecidesAlone) {
    EXPECT_TRUE(IsUtf8(B({0xEF, 0xBB, 0xBF})));
    EXPECT_TRUE(IsUtf8(B({0xEF, 0xBB, 0xBF, 0xD6, 0xD0})));
}

TEST(IsUtf8, SequencesAndTheirTruncations) {
    EXPECT_TRUE(IsUtf8(QStringLiteral("手机 price").toUtf8()));
    EXPECT_TRUE(IsUtf8(QStringLiteral("café!").toUtf8()));
    // GBK 中 (D6 D0) fails both the two- and the three-byte pattern.
    EXPECT_FALSE(IsUtf8(Gbk(QStringLiteral("中文网页"))));
    EXPECT_FALSE(IsUtf8(QByteArray("abc") + B({0xC3})));        // lead byte last
    EXPECT_FALSE(IsUtf8(QByteArray("abc") + B({0xE6, 0x89})));  // three-byte lead near end
    EXPECT_FALSE(IsUtf8(QByteArray("abc") + B({0xE6})));
    // Leads C0/C1 and surrogates pass as before.
    EXPECT_TRUE(IsUtf8(QByteArray("ab") + B({0xC0, 0x80})));
    EXPECT_TRUE(IsUtf8(QByteArray("ab") + B({0xED, 0xA0, 0x80})));
}

TEST(IsUtf8, FourByteSequencesCountAsUtf8) {
    const QByteArray page = QStringLiteral("<p>手机 😀 推荐</p>").toUtf8();
    EXPECT_TRUE(IsUtf8(page));
    EXPECT_EQ(BytesToText(page), QStringLiteral("<p>手机 😀 推荐</p>"));
    EXPECT_TRUE(IsUtf8(QByteArray("ab") + B({0xF0, 0x9F, 0x98, 0x80})));
    // Not a sequence: too short, bad continuation, or a lead beyond F4.
    EXPECT_FALSE(IsUtf8(QByteArray("ab") + B({0xF0, 0x9F, 0x98})));
    EXPECT_FALSE(IsUtf8(QByteArray("ab") + B({0xF0, 0x9F, 0x41, 0x80})));
    EXPECT_FALSE(IsUtf8(QByteArray("ab") + B({0xF5, 0x80, 0x80, 0x80})));
}

TEST(BytesToText, Utf8WithOrWithoutMarkAndGbk) {
    EXPECT_EQ(BytesToText(B({0xEF, 0xBB, 0xBF}) + QStringLiteral("手机").toUtf8()),
              QStringLiteral("手机"));
    EXPECT_EQ(BytesToText(QStringLiteral("苹果手机").toUtf8()), QStringLiteral("苹果手机"));
    EXPECT_EQ(BytesToText(Gbk(QStringLiteral("中文网页，手机"))), QStringLiteral("中文网页，手机"));
    EXPECT_EQ(BytesToText("ascii"), QStringLiteral("ascii"));
    EXPECT_EQ(BytesToText(QByteArray()), QString());
}

TEST(ResponseText, DeclaredCharsetOrUtf8) {
    EXPECT_EQ(web::ResponseText(Gbk(QStringLiteral("公告")), "text/plain; charset=GBK"),
              QStringLiteral("公告"));
    EXPECT_EQ(web::ResponseText(Gbk(QStringLiteral("公告")), "text/plain; charset=\"gb18030\""),
              QStringLiteral("公告"));
    EXPECT_EQ(web::ResponseText(QStringLiteral("公告").toUtf8(), "text/plain"),
              QStringLiteral("公告"));
    EXPECT_EQ(web::ResponseText(QStringLiteral("4").toUtf8(), "text/plain; charset=nonsense"),
              QStringLiteral("4"));
}
