#include "support/wait_until.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The page's body; empty when the request failed or timed out.
QByteArray Fetch(QNetworkAccessManager& network, const QUrl& url) {
    QNetworkReply* reply = network.get(QNetworkRequest(url));
    if (!WaitUntil([reply] { return reply->isFinished(); })) reply->abort();
    const QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray();
    reply->deleteLater();
    return body;
}

TEST(Executable, PrintsItsAddressFirstAndServesWithItsOptions) {
    QProcess process;
    process.start(QStringLiteral(QUELVO_SIM_EXE),
                  {QStringLiteral("--fan-out"), QStringLiteral("2"), QStringLiteral("--charset"),
                   QStringLiteral("utf8-bom"), QStringLiteral("--latency"), QStringLiteral("150"),
                   QStringLiteral("--block-after"), QStringLiteral("1")});
    ASSERT_TRUE(WaitUntil([&] { return process.canReadLine(); }));
    const QUrl base(QString::fromUtf8(process.readLine()).trimmed());
    EXPECT_EQ(base.host(), QStringLiteral("127.0.0.1"));

    QNetworkAccessManager network;
    QElapsedTimer clock;
    clock.start();
    const QByteArray page = Fetch(network, QUrl(base.toString() + QStringLiteral("/s?wd=x")));
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_TRUE(page.startsWith("\xEF\xBB\xBF<!"));
    EXPECT_EQ(page.count("<th><a href="), 2 + 1);  // two children and the query itself
    // The second request is one too many: sent on to the verification page.
    const QByteArray blocked = Fetch(network, QUrl(base.toString() + QStringLiteral("/s?wd=y")));
    EXPECT_TRUE(blocked.contains("<title>百度安全验证</title>"));

    process.kill();
    process.waitForFinished();
}

}  // namespace
