#include <gtest/gtest.h>

#include <tuple>

#include "mining/candidate_rule.h"
#include "mining/candidates.h"
#include "mining/engine_table.h"
#include "mining/suggestions.h"

using namespace mining;

namespace {
QString BaiduMarker() { return DefaultEngineTable().Of(Engine::Baidu).marker; }
}  // namespace

TEST(CutCandidates, TheTextAfterTheFirstGreaterThanOfEveryChunk) {
    const QString m = BaiduMarker();
    EXPECT_EQ(CutCandidates("head " + m + "\"1\">A</a>" + m + "\"2\">B</a>" + m + "\"x\">A<", m),
              (QStringList{"A", "B", "A"}));
    // Text before the first marker is never a chunk, a page without the marker gives nothing.
    EXPECT_TRUE(CutCandidates(QStringLiteral("<b>x</b>"), m).isEmpty());
    // A chunk without ">" is skipped; the next one still counts.
    EXPECT_EQ(CutCandidates(m + "\"no close" + m + "\"u\">K</a>", m), QStringList{"K"});
    // "><" gives the empty candidate; a second ">" also ends the candidate.
    EXPECT_EQ(CutCandidates(m + "\"u\"><b>", m), QStringList{""});
    EXPECT_EQ(CutCandidates(m + "\"u\">ab>cd<", m), QStringList{"ab"});
    // The candidate runs to the end of the chunk, never into the next marker.
    EXPECT_EQ(CutCandidates(m + "\"u\">tail" + m + "\"v\">x<", m), (QStringList{"tail", "x"}));
    // Cutting keeps character references; TakeCandidate decodes them.
    EXPECT_EQ(CutCandidates(m + "\"u\">a&amp;b</a>", m), QStringList{"a&amp;b"});
    // An empty marker selects nothing.
    EXPECT_TRUE(CutCandidates(QStringLiteral("<a>x</a>"), QString()).isEmpty());
}

TEST(Filter, CaseSensitiveSubstringOfTheBoxAsItStands) {
    EXPECT_TRUE(PassesFilter(QStringLiteral("苹果手机"), true, QStringLiteral("手机")));
    EXPECT_FALSE(PassesFilter(QStringLiteral("平板电脑"), true, QStringLiteral("手机")));
    EXPECT_FALSE(PassesFilter(QStringLiteral("cheap phone"), true, QStringLiteral("Phone")));
    EXPECT_TRUE(PassesFilter(QStringLiteral("anything"), true, QString()));
    EXPECT_TRUE(PassesFilter(QStringLiteral("平板电脑"), false, QStringLiteral("手机")));
    // The box text is not trimmed: its blanks must occur too.
    EXPECT_FALSE(PassesFilter(QStringLiteral("手机壳"), true, QStringLiteral(" 手机")));
}

TEST(ParseSuggestions, EachFormatAndWhatIsNotIt) {
    using F = SuggestFormat;
    const QStringList two{"手机壳", "手机 支架"};
    const std::tuple<const char*, F, std::optional<QStringList>> cases[] = {
        {R"(["手机", ["手机壳", "手机 支架"], [], {"x": 1}])", F::OpenSearch, two},
        {R"(["手机", []])", F::OpenSearch, QStringList{}},
        {R"({"result": [["手机壳", "123"], ["手机 支架"]], "magic": []})", F::Taobao, two},
        // Entities are left to the candidate rule that pages go through too.
        {R"(["a", ["a&amp;b"]])", F::OpenSearch, QStringList{"a&amp;b"}},
        // The other format, a block page, or a shape that has changed.
        {R"({"result": [["手机壳", "1"]]})", F::OpenSearch, std::nullopt},
        {R"(["手机", ["手机壳"]])", F::Taobao, std::nullopt},
        {"<html><title>百度安全验证</title></html>", F::OpenSearch, std::nullopt},
        {R"(["手机", "手机壳"])", F::OpenSearch, std::nullopt},
        {R"(["手机", ["手机壳", 3]])", F::OpenSearch, std::nullopt},
        {R"({"result": [[3, "手机壳"]]})", F::Taobao, std::nullopt},
        {R"(window.baidu.sug({q:"手机",s:["手机壳"]}))", F::OpenSearch, std::nullopt},
    };
    for (const auto& [answer, format, read] : cases)
        EXPECT_EQ(ParseSuggestions(QString::fromUtf8(answer), format), read) << answer;
}

TEST(TakeCandidate, ReferencesDecodedControlsBlankedEmptyAndOverlongSkipped) {
    using F = CandidateFate;
    const QString x1024(kMaxKeywordLength, u'x');
    const QString emoji1024 = QStringLiteral("😀").repeated(kMaxKeywordLength);
    const std::tuple<QString, QString, CandidateFate> cases[] = {
        // One pass, as a browser shows it: "&amp;lt;" is "&lt;".
        {"A&amp;B&quot;&lt;&gt;&apos;&amp;lt;", "A&B\"<>'&lt;", F::Keyword},
        {" a&nbsp;AT&T &bogus; &Amp; &#; &#x; &#12a; & ;",  // never trimmed
         QStringLiteral(" a\u00A0AT&T &bogus; &Amp; &#; &#x; &#12a; & ;"), F::Keyword},
        {"&#25163;&#x673A;&#X41;&#x1F600;&#150;&#0;&#xD800;&#x110000;&#99999999999;",
         QStringLiteral("手机A😀\u2013\uFFFD\uFFFD\uFFFD\uFFFD"), F::Keyword},
        {QStringLiteral("a\r\nb\x1b]0;t\x07\x7f|&#10;&#x1b;&#127;"), "a  b ]0;t  |   ", F::Keyword},
        {"", "", F::Empty},
        {x1024, x1024, F::Keyword},
        {x1024 + u'x', "", F::TooLong},
        {emoji1024, emoji1024, F::Keyword},  // characters, not UTF-16 units
        {QString("&amp;").repeated(kMaxKeywordLength), QString(kMaxKeywordLength, u'&'),
         F::Keyword},
    };
    for (const auto& [raw, text, fate] : cases) {
        const Candidate got = TakeCandidate(raw);
        EXPECT_EQ(std::tie(got.text, got.fate), std::tie(text, fate)) << raw.left(40).toStdString();
    }
}
