#include "fetch.h"
#include "sim/sim_server.h"

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

// The client's cut: after the first '>' that follows a marker, up to the next '<' or '>'.
QStringList CutKeywords(const QString& page, const QString& marker) {
    QStringList keywords;
    const QStringList chunks = page.split(marker);
    for (qsizetype i = 1; i < chunks.size(); ++i) {
        const QStringList pieces = chunks[i].split(u'>');
        if (pieces.size() > 1) keywords << pieces[1].split(u'<').first();
    }
    return keywords;
}

class EnginePages : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.listen()); }

    Fetched Get(const EngineShape& shape, const QString& keyword) {
        return Fetch(network, QUrl::fromEncoded(server.baseUrl().toEncoded() + shape.pathAndQuery +
                                                QUrl::toPercentEncoding(keyword)));
    }

    sim::SimServer server;
    QNetworkAccessManager network;
};

TEST_F(EnginePages, EachEngineOffersTheGraphBehindItsMarker) {
    const sim::EngineOptions options{.fanOut = 4, .depth = 2};
    server.setEngineOptions(options);
    for (const EngineShape& shape : kEngines) {
        for (const QString& keyword :
             {QStringLiteral("手机 推荐"), QStringLiteral("R&D <b> \"#+%")}) {
            SCOPED_TRACE(shape.pathAndQuery + keyword.toStdString());
            const Fetched page = Get(shape, keyword);
            ASSERT_EQ(page.status, 200);
            QStringList escaped;
            for (const QString& related : sim::RelatedKeywords(keyword, options))
                escaped << related.toHtmlEscaped();
            EXPECT_EQ(CutKeywords(QString::fromUtf8(page.body), QLatin1String(shape.marker)),
                      escaped);
        }
    }
}

// Other suites only see a failed page skipped; the status and a keyword's precedence over the
// server-wide fault show here.
TEST_F(EnginePages, HttpErrorFaultsAnswerTheirStatusAKeywordsOwnFirst) {
    server.setFault(sim::Fault::HttpError, 503);
    server.setFaultFor(QStringLiteral("坏词"), sim::Fault::HttpError, 404);
    const Fetched own = Get(kEngines[0], QStringLiteral("坏词"));
    EXPECT_EQ(own.status, 404);
    EXPECT_FALSE(own.body.contains(kEngines[0].marker));
    EXPECT_EQ(Get(kEngines[0], QStringLiteral("好词")).status, 503);

    server.setFault(sim::Fault::None);
    server.setFaultFor(QStringLiteral("坏词"), sim::Fault::None);
    EXPECT_EQ(Get(kEngines[0], QStringLiteral("坏词")).status, 200);
}

}  // namespace
