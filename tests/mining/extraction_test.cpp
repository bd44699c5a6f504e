#include <gtest/gtest.h>

#include "mining/candidates.h"
#include "mining/engine.h"

using namespace mining;

TEST(CutCandidates, TakesTheTextAfterTheFirstGreaterThanOfEveryChunk) {
    const QString page = QStringLiteral(
        "<html>head <th><a href=\"/s?wd=1\">A</a></th><th><a href=\"/s?wd=2\">B</a></th>"
        "<th><a href=\"x\">A</a></th></html>");
    EXPECT_EQ(CutCandidates(page, BaiduMarker()), (QStringList{"A", "B", "A"}));
}

TEST(CutCandidates, EdgeShapesOfChunks) {
    const QString m = BaiduMarker();
    // Text before the first marker is never a chunk, a page without the marker gives nothing.
    EXPECT_TRUE(CutCandidates(QStringLiteral("<b>x</b>"), m).isEmpty());
    EXPECT_TRUE(CutCandidates(QString(), m).isEmpty());
    // A chunk without ">" is skipped; the next one still counts.
    EXPECT_EQ(CutCandidates(m + "\"no close" + m + "\"u\">K</a>", m), QStringList{"K"});
    // "><" gives the empty candidate; a second ">" also ends the candidate.
    EXPECT_EQ(CutCandidates(m + "\"u\"><b>", m), QStringList{""});
    EXPECT_EQ(CutCandidates(m + "\"u\">ab>cd<", m), QStringList{"ab"});
    // The candidate runs to the end of the chunk, never into the next marker.
    EXPECT_EQ(CutCandidates(m + "\"u\">tail" + m + "\"v\">x<", m), (QStringList{"tail", "x"}));
    // Entities stay as they are.
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

TEST(SearchUrl, EnginePathsAndPercentEncodedKeyword) {
    EngineHosts hosts;
    EXPECT_EQ(SearchUrl(hosts, Engine::Baidu, QStringLiteral("手机")).toEncoded(),
              QByteArray("https://www.baidu.com/s?wd=%E6%89%8B%E6%9C%BA"));
    EXPECT_EQ(SearchUrl(hosts, Engine::Google, QStringLiteral("a b")).toEncoded(),
              QByteArray("https://www.google.com/search?hl=zh-CN&q=a%20b"));
    EXPECT_EQ(SearchUrl(hosts, Engine::Taobao, QString()).toEncoded(),
              QByteArray("https://s.taobao.com/search?q="));
    // Characters that would change the query's meaning are escaped.
    EXPECT_EQ(SearchUrl(hosts, Engine::Baidu, QStringLiteral("c#&x+y%")).toEncoded(),
              QByteArray("https://www.baidu.com/s?wd=c%23%26x%2By%25"));
    hosts.baidu = QUrl(QStringLiteral("http://127.0.0.1:8080/"));
    EXPECT_EQ(SearchUrl(hosts, Engine::Baidu, QStringLiteral("k")).toEncoded(),
              QByteArray("http://127.0.0.1:8080/s?wd=k"));
}
