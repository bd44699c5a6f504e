#include "fetch.h"
#include "sim/sim_server.h"

#include <QElapsedTimer>
#include <QStringDecoder>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace {

using sim::Engine;

struct EngineShape {
    Engine engine;
    const char* pathAndQuery;  // the keyword's encoded form is appended
    const char* marker;
};

const EngineShape kEngines[] = {
    {Engine::Baidu, "/s?wd=", "<th><a href="},
    {Engine::Google, "/search?hl=zh-CN&q=", "<p><a href="},
    {Engine::Taobao, "/search?q=", "<li><a trace=\"relatedSearch\" href="},
};

QUrl EngineUrl(const sim::SimServer& server, const EngineShape& shape, const QString& keyword) {
    return QUrl::fromEncoded(server.baseUrl().toEncoded() + shape.pathAndQuery +
                             QUrl::toPercentEncoding(keyword));
}

// The client's cut: after the first '>' that follows a marker, up to the next '<' or '>'.
QStringList CutKeywords(const QString& page, const QString& marker) {
    QStringList keywords;
    const QStringList chunks = page.split(marker);
    for (qsizetype i = 1; i < chunks.size(); ++i) {
        const QStringList pieces = chunks[i].split(u'>');
        if (pieces.size() < 2) continue;
        keywords << pieces[1].split(u'<').first();
    }
    return keywords;
}

QStringList Escaped(const QStringList& keywords) {
    QStringList escaped;
    for (const QString& keyword : keywords) escaped << keyword.toHtmlEscaped();
    return escaped;
}

class EnginePages : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.listen()); }

    sim::SimServer server;
    QNetworkAccessManager network;
};

TEST_F(EnginePages, EachEngineOffersTheGraphBehindItsMarker) {
    sim::EngineOptions options;
    options.fanOut = 4;
    options.depth = 2;
    server.setEngineOptions(options);
    for (const EngineShape& shape : kEngines) {
        for (const QString& keyword :
             {QStringLiteral("手机 推荐"), QStringLiteral("R&D <b> \"#+%")}) {
            SCOPED_TRACE(shape.pathAndQuery + keyword.toStdString());
            const Fetched page = Fetch(network, EngineUrl(server, shape, keyword));
            ASSERT_EQ(page.status, 200);
            EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
            const QString text = QString::fromUtf8(page.body);
            EXPECT_EQ(CutKeywords(text, QLatin1String(shape.marker)),
                      Escaped(sim::RelatedKeywords(keyword, options)));
            EXPECT_TRUE(text.contains(QStringLiteral("<title>") + keyword.toHtmlEscaped()));
            EXPECT_TRUE(text.contains(QStringLiteral("value=\"") + keyword.toHtmlEscaped()));
        }
    }
}

TEST_F(EnginePages, BodiesComeInTheChosenCharset) {
    sim::EngineOptions options;
    options.charset = sim::BodyCharset::Gbk;
    server.setEngineOptions(options);
    const Fetched gbk = Fetch(network, EngineUrl(server, kEngines[0], QStringLiteral("手机")));
    EXPECT_EQ(gbk.contentType, "text/html; charset=gbk");
    EXPECT_TRUE(gbk.body.contains("\xCA\xD6\xBB\xFA"));  // 手机 in GBK
    QStringDecoder decoder("GBK");
    const QString text = decoder(gbk.body);
    EXPECT_FALSE(decoder.hasError());
    EXPECT_EQ(CutKeywords(text, QLatin1String(kEngines[0].marker)),
              sim::RelatedKeywords(QStringLiteral("手机"), options));

    options.charset = sim::BodyCharset::Utf8Bom;
    server.setEngineOptions(options);
    const Fetched bom = Fetch(network, EngineUrl(server, kEngines[1], QStringLiteral("手机")));
    EXPECT_TRUE(bom.body.startsWith("\xEF\xBB\xBF<!doctype html>"));
}

TEST_F(EnginePages, RequestsRecordTheDecodedKeyword) {
    const QByteArray base = server.baseUrl().toEncoded();
    Fetch(network, QUrl::fromEncoded(base + "/search?hl=zh-CN&q=a%2Bb+c%26d"));
    Fetch(network, QUrl::fromEncoded(base + "/search?q=%E6%89%8B%E6%9C%BA"));

    // A target sent with raw UTF-8 bytes, which no QUrl-based client would produce.
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, server.baseUrl().port());
    ASSERT_TRUE(WaitUntil([&] { return raw.state() == QAbstractSocket::ConnectedState; }));
    raw.write("GET /s?wd=" + QStringLiteral("手机").toUtf8() + " HTTP/1.1\r\nHost: x\r\n\r\n");
    QByteArray answer;
    ASSERT_TRUE(WaitUntil([&] { return (answer += raw.readAll()).contains("</html>"); }));
    EXPECT_TRUE(answer.contains(QStringLiteral("<title>手机_百度搜索").toUtf8()));

    const QList<sim::RequestRecord> requests = server.requests();
    ASSERT_EQ(requests.size(), 3);
    EXPECT_EQ(requests[0].engine, Engine::Google);
    EXPECT_EQ(requests[0].keyword, QStringLiteral("a+b c&d"));
    EXPECT_EQ(requests[0].rawTarget, "/search?hl=zh-CN&q=a%2Bb+c%26d");
    EXPECT_EQ(requests[1].engine, Engine::Taobao);
    EXPECT_EQ(requests[1].keyword, QStringLiteral("手机"));
    EXPECT_EQ(requests[2].engine, Engine::Baidu);
    EXPECT_EQ(requests[2].keyword, QStringLiteral("手机"));
    server.clearRequests();
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(EnginePages, CannedPagesAndLatency) {
    server.setPage(Engine::Taobao, QStringLiteral("手机"), "<li>canned</li>", 203);
    const Fetched canned = Fetch(network, EngineUrl(server, kEngines[2], QStringLiteral("手机")));
    EXPECT_EQ(canned.status, 203);
    EXPECT_EQ(canned.body, "<li>canned</li>");
    // Only that engine: Google still draws from the graph.
    const Fetched graph = Fetch(network, EngineUrl(server, kEngines[1], QStringLiteral("手机")));
    EXPECT_TRUE(graph.body.contains(kEngines[1].marker));

    sim::EngineOptions options;
    options.latencyMs = 150;
    server.setEngineOptions(options);
    QElapsedTimer clock;
    clock.start();
    const Fetched late = Fetch(network, EngineUrl(server, kEngines[0], QStringLiteral("手机")));
    EXPECT_EQ(late.status, 200);
    EXPECT_GE(clock.elapsed(), 150);

    // A client that gives up before the delay is over cancels the answer, nothing else.
    EXPECT_FALSE(
        Fetch(network, EngineUrl(server, kEngines[0], QStringLiteral("手机")), 20).finished);
    options.latencyMs = 0;
    server.setEngineOptions(options);
    EXPECT_EQ(Fetch(network, EngineUrl(server, kEngines[0], QStringLiteral("手机"))).status, 200);
}

}  // namespace
