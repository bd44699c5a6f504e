#include "fetch.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(Executable, PrintsItsAddressFirstAndServes) {
    QProcess process;
    process.start(QStringLiteral(QUELVO_SIM_EXE),
                  {QStringLiteral("--fan-out"), QStringLiteral("2"), QStringLiteral("--charset"),
                   QStringLiteral("gbk")});
    ASSERT_TRUE(WaitUntil([&] { return process.canReadLine(); }));
    const QUrl base(QString::fromUtf8(process.readLine()).trimmed());
    EXPECT_EQ(base.host(), QStringLiteral("127.0.0.1"));

    QNetworkAccessManager network;
    const Fetched page = Fetch(network, QUrl(base.toString() + QStringLiteral("/s?wd=x")));
    EXPECT_EQ(page.contentType, "text/html; charset=gbk");
    EXPECT_EQ(page.body.count("<th><a href="), 2 + 1);  // two children and the query itself

    process.kill();
    process.waitForFinished();
}

TEST(Executable, RefusesBadArgumentsWithStatus2) {
    const QStringList bad[] = {{QStringLiteral("--charset"), QStringLiteral("latin1")},
                               {QStringLiteral("--fan-out"), QStringLiteral("many")},
                               {QStringLiteral("--bogus")}};
    for (const QStringList& arguments : bad) {
        QProcess process;
        process.start(QStringLiteral(QUELVO_SIM_EXE), arguments);
        ASSERT_TRUE(WaitUntil([&] { return process.state() == QProcess::NotRunning; }));
        EXPECT_EQ(process.exitCode(), 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains("Usage:"));
    }
}

}  // namespace
