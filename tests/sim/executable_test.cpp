#include "support/wait_until.h"

#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include "web/mod_http.h"

TEST(Executable, PrintsItsAddressFirstAndServesWithItsOptions) {
    QProcess sim;  // killed when it goes out of scope
    sim.start(QStringLiteral(QUELVO_SIM_EXE), {"--fan-out", "2", "--charset", "utf8-bom",
                                               "--latency", "150", "--block-after", "1"});
    ASSERT_TRUE(WaitUntil([&] { return sim.canReadLine(); }));
    const QString base = QString::fromUtf8(sim.readLine()).trimmed();
    EXPECT_TRUE(base.startsWith("http://127.0.0.1:")) << base.toStdString();

    web::ModHttp http;
    QElapsedTimer clock;
    clock.start();
    const QByteArray page = http.Get(QUrl(base + "/s?wd=x")).body;
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_TRUE(page.startsWith("\xEF\xBB\xBF<!"));
    EXPECT_EQ(page.count("<th><a href="), 2 + 1);  // two children and the query itself
    // The second request is one too many: sent on to the verification page.
    EXPECT_TRUE(http.Get(QUrl(base + "/s?wd=y")).body.contains("<title>百度安全验证</title>"));
}
