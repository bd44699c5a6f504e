#include "fetch.h"
#include "sim/sim_server.h"

#include <gtest/gtest.h>

namespace {

class Faults : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.listen()); }

    QUrl Baidu(const QString& keyword) const {
        return QUrl::fromEncoded(server.baseUrl().toEncoded() +
                                 "/s?wd=" + QUrl::toPercentEncoding(keyword));
    }

    sim::SimServer server;
    QNetworkAccessManager network;
};

TEST_F(Faults, AnswersThatAreWrong) {
    server.setFault(sim::Fault::HttpError, 503);
    const Fetched error = Fetch(network, Baidu(QStringLiteral("手机")));
    EXPECT_EQ(error.status, 503);
    EXPECT_FALSE(error.body.isEmpty());
    EXPECT_FALSE(error.body.contains("<th><a href="));

    server.setFault(sim::Fault::EmptyBody);
    const Fetched empty = Fetch(network, Baidu(QStringLiteral("手机")));
    EXPECT_EQ(empty.error, QNetworkReply::NoError);
    EXPECT_EQ(empty.status, 200);
    EXPECT_EQ(empty.contentLength, "0");
    EXPECT_TRUE(empty.body.isEmpty());

    server.setFault(sim::Fault::Oversize);
    const Fetched oversize = Fetch(network, Baidu(QStringLiteral("手机")));
    EXPECT_EQ(oversize.status, 200);
    EXPECT_EQ(oversize.contentLength.toLongLong(), sim::kOversizeBytes);
    EXPECT_EQ(oversize.body.size(), sim::kOversizeBytes);
    EXPECT_TRUE(oversize.body.endsWith("</html>\n"));
}

TEST_F(Faults, BrokenConnections) {
    server.setFault(sim::Fault::Reset);
    const Fetched reset = Fetch(network, Baidu(QStringLiteral("手机")));
    EXPECT_TRUE(reset.finished);
    EXPECT_NE(reset.error, QNetworkReply::NoError);
    EXPECT_EQ(reset.status, 0);

    server.setFault(sim::Fault::Stall);
    const Fetched stalled = Fetch(network, Baidu(QStringLiteral("手机")), 300);
    EXPECT_FALSE(stalled.finished);
    EXPECT_EQ(stalled.error, QNetworkReply::OperationCanceledError);

    // A stalled connection holds up nothing else.
    server.setFault(sim::Fault::None);
    EXPECT_EQ(Fetch(network, Baidu(QStringLiteral("手机"))).status, 200);
}

TEST_F(Faults, KeywordFaultsOverrideAndStayWithTheirKeyword) {
    server.setFault(sim::Fault::HttpError, 500);
    server.setFaultFor(QStringLiteral("坏词"), sim::Fault::HttpError, 404);
    EXPECT_EQ(Fetch(network, Baidu(QStringLiteral("坏词"))).status, 404);
    EXPECT_EQ(Fetch(network, Baidu(QStringLiteral("好词"))).status, 500);

    server.setFault(sim::Fault::None);
    EXPECT_EQ(Fetch(network, Baidu(QStringLiteral("好词"))).status, 200);
    server.setFaultFor(QStringLiteral("坏词"), sim::Fault::None);
    EXPECT_EQ(Fetch(network, Baidu(QStringLiteral("坏词"))).status, 200);
}

}  // namespace
