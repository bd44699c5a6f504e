#include "fetch.h"
#include "sim/sim_server.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

class Vendor : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.listen()); }

    Fetched Get(const QString& pathAndQuery, int deadlineMs = 5000) {
        return Fetch(network, QUrl(server.baseUrl().toString() + pathAndQuery), deadlineMs);
    }

    sim::SimServer server;
    QNetworkAccessManager network;
};

TEST_F(Vendor, DefaultsServeADemo) {
    EXPECT_EQ(Get(QStringLiteral("/api/update/KeyWords.txt")).body, "4");

    // The feed opens today, on a page of this very server.
    const QStringList feed =
        QString::fromUtf8(Get(QStringLiteral("/api/pop/keywords.txt")).body).split(u'#');
    ASSERT_EQ(feed.size(), 4);
    EXPECT_FALSE(feed[0].isEmpty());
    EXPECT_EQ(feed[1], server.baseUrl().toString() + QStringLiteral("/notice.html"));
    EXPECT_EQ(feed[2], QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_EQ(feed[3], QString());

    const Fetched banner = Get(QStringLiteral("/api/pages/keywords.php?ver=2.0"));
    EXPECT_EQ(banner.contentType, "text/html; charset=utf-8");
    EXPECT_TRUE(banner.body.contains("width:100%"));
    EXPECT_TRUE(banner.body.contains(QStringLiteral("关键词").toUtf8()));
    for (const char* path : {"/", "/feedback.php", "/notice.html"}) {
        EXPECT_EQ(Get(QLatin1String(path)).status, 200) << path;
    }
    EXPECT_EQ(Get(QStringLiteral("/api/pages/keywords.php?ver=3.0")).status, 404);
    EXPECT_EQ(Get(QStringLiteral("/nothing.php")).status, 404);
}

TEST_F(Vendor, AnswersFaultsAndHitsAreSettable) {
    server.setVendorAnswer(QStringLiteral("/api/update/KeyWords.txt"), "5\r\n");
    server.setVendorAnswer(QStringLiteral("/api/update/KeyWords.txt?beta=1"), "6", 202);
    EXPECT_EQ(Get(QStringLiteral("/api/update/KeyWords.txt")).body, "5\r\n");
    // A query with an answer of its own gets that; any other falls back to the path's answer.
    const Fetched beta = Get(QStringLiteral("/api/update/KeyWords.txt?beta=1"));
    EXPECT_EQ(beta.status, 202);
    EXPECT_EQ(beta.body, "6");
    EXPECT_EQ(Get(QStringLiteral("/api/update/KeyWords.txt?t=9")).body, "5\r\n");
    EXPECT_EQ(server.vendorHits(QStringLiteral("/api/update/KeyWords.txt")), 3);
    EXPECT_EQ(server.vendorHits(QStringLiteral("/api/update/KeyWords.txt?beta=1")), 1);
    EXPECT_EQ(server.vendorHits(QStringLiteral("/api/pop/keywords.txt")), 0);

    server.setVendorFault(QStringLiteral("/api/pop/keywords.txt"), sim::Fault::Stall);
    EXPECT_FALSE(Get(QStringLiteral("/api/pop/keywords.txt"), 300).finished);
    EXPECT_EQ(server.vendorHits(QStringLiteral("/api/pop/keywords.txt")), 1);
    server.setVendorFault(QStringLiteral("/api/pop/keywords.txt"), sim::Fault::HttpError);
    EXPECT_EQ(Get(QStringLiteral("/api/pop/keywords.txt")).status, 500);
    server.setVendorFault(QStringLiteral("/api/pop/keywords.txt"), sim::Fault::None);
    EXPECT_EQ(Get(QStringLiteral("/api/pop/keywords.txt")).status, 200);
    // Vendor requests are not engine requests.
    EXPECT_TRUE(server.requests().isEmpty());
}

}  // namespace
