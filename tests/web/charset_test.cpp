#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <tuple>

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

TEST(IsUtf8, ByTheBytesAlone) {
    const std::tuple<const char*, QByteArray, bool> cases[] = {
        {"a whole two-byte sequence, but too short", B({0xC3, 0xA9}), false},
        {"plain ASCII", "plain ascii page", false},
        {"mark decides whatever follows", B({0xEF, 0xBB, 0xBF, 0xD6, 0xD0}), true},
        {"Chinese", QStringLiteral("手机 price").toUtf8(), true},
        {"Latin", QStringLiteral("café!").toUtf8(), true},
        {"GBK 中 fails both patterns", Gbk(QStringLiteral("中文网页")), false},
        {"lead byte last", QByteArray("abc") + B({0xC3}), false},
        {"three-byte lead near the end", QByteArray("abc") + B({0xE6, 0x89}), false},
        {"lead C0 passes", QByteArray("ab") + B({0xC0, 0x80}), true},
        {"surrogate passes", QByteArray("ab") + B({0xED, 0xA0, 0x80}), true},
        {"four-byte sequence", QByteArray("ab") + B({0xF0, 0x9F, 0x98, 0x80}), true},
        {"four-byte lead, too short", QByteArray("ab") + B({0xF0, 0x9F, 0x98}), false},
        {"four-byte lead, bad continuation", QByteArray("ab") + B({0xF0, 0x9F, 0x41, 0x80}), false},
        {"lead beyond F4", QByteArray("ab") + B({0xF5, 0x80, 0x80, 0x80}), false},
    };
    for (const auto& [what, body, utf8] : cases) EXPECT_EQ(IsUtf8(body), utf8) << what;
}

// A byte sequence valid in neither charset costs only itself.
TEST(BytesToText, Utf8WithOrWithoutMarkAndGbk) {
    EXPECT_EQ(BytesToText(B({0xEF, 0xBB, 0xBF}) + QStringLiteral("手机").toUtf8()),
              QStringLiteral("手机"));
    EXPECT_EQ(BytesToText(QStringLiteral("苹果手机").toUtf8()), QStringLiteral("苹果手机"));
    EXPECT_EQ(
        BytesToText(Gbk(QStringLiteral("中文")) + B({0x81, 0x20}) + Gbk(QStringLiteral("手机"))),
        QStringLiteral("中文\uFFFD 手机"));
}

// Pages: a declared UTF-8, GBK, GB2312 or GB18030 decides, else the bytes. The vendor's answers:
// any charset the platform knows, else UTF-8.
TEST(PageText, TheDeclaredCharsetDecidesElseTheBytes) {
    const QByteArray utf8 =
        QStringLiteral("手机").toUtf8() + B({0xFF}) + QStringLiteral("价").toUtf8();
    const QByteArray gbk = Gbk(QStringLiteral("中文"));
    const std::tuple<const char*, QByteArray, QString, QString> cases[] = {
        {"text/html; charset=utf-8", utf8, QStringLiteral("手机\uFFFD价"),
         QStringLiteral("手机\uFFFD价")},
        {"text/html;charset=UTF8", utf8, QStringLiteral("手机\uFFFD价"),
         QStringLiteral("手机\uFFFD价")},
        {"text/html; charset=\"GBK\"", gbk, QStringLiteral("中文"), QStringLiteral("中文")},
        {"text/html; charset=gb2312", gbk, QStringLiteral("中文"), QStringLiteral("中文")},
        {"text/html; charset=\"gb18030\"", Gbk(QStringLiteral("😀")), QStringLiteral("😀"),
         QStringLiteral("😀")},
        {"text/html", gbk, QStringLiteral("中文"),
         QStringDecoder(QStringDecoder::Utf8).decode(gbk)},
        {"text/html; charset=iso-8859-1", utf8.left(6), QStringLiteral("手机"),
         QString::fromLatin1(utf8.left(6))},
        {"text/plain; charset=nonsense", "4", "4", "4"},
    };
    for (const auto& [contentType, body, page, response] : cases) {
        EXPECT_EQ(web::PageText(body, contentType), page) << contentType;
        EXPECT_EQ(web::ResponseText(body, contentType), response) << contentType;
    }
}
