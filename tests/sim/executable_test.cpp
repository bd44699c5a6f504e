#include "fetch.h"

#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(Executable, PrintsItsAddressFirstAndServesWithItsOptions) {
    QProcess process;
    process.start(QStringLiteral(QUELVO_SIM_EXE),
                  {QStringLiteral("--fan-out"), QStringLiteral("2"), QStringLiteral("--charset"),
                   QStringLiteral("utf8-bom"), QStringLiteral("--latency"), QStringLiteral("150")});
    ASSERT_TRUE(WaitUntil([&] { return process.canReadLine(); }));
    const QUrl base(QString::fromUtf8(process.readLine()).trimmed());
    EXPECT_EQ(base.host(), QStringLiteral("127.0.0.1"));

    QNetworkAccessManager network;
    QElapsedTimer clock;
    clock.start();
    const Fetched page = Fetch(network, QUrl(base.toString() + QStringLiteral("/s?wd=x")));
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_TRUE(page.body.startsWith("\xEF\xBB\xBF<!"));
    EXPECT_EQ(page.body.count("<th><a href="), 2 + 1);  // two children and the query itself

    process.kill();
    process.waitForFinished();
}

}  // namespace
