// `quelvo mine` in-process against the loopback engines: its summary, block pages, pacing, limit,
// marker, exported tree and exit status.
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/headless_mine.h"
#include "run_program.h"
#include "sim/sim_server.h"
#include "support/engine_pages.h"

namespace {

struct Rig {
    sim::SimServer server;
    Rig() {
        EXPECT_TRUE(server.listen(0));
        server.setEngineOptions({0, 0, sim::BodyCharset::Utf8, 0});  // only set pages offer
    }
    Ran mine(QStringList args) {
        const QString base = server.baseUrl().toString();
        return InProcess(
            [](const CommandLine& cl, std::FILE* o, std::FILE* e) {
                return RunHeadlessMine(cl, o, e, 400);
            },
            QStringList{"quelvo", "mine"} + args +
                QStringList{"--baidu-host", base, "--google-host", base, "--taobao-host", base});
    }
    // An engines file in the rig's folder; "SIM" in it stands for the server's address.
    QString enginesFile(const QByteArray& engines) {
        return WriteFile(dir.filePath("engines.json"),
                         QByteArray(engines).replace("SIM", server.baseUrl().toEncoded()));
    }
    QTemporaryDir dir;
    void offer(const QString& keyword, const QStringList& related) {
        server.setPage(sim::Engine::Baidu, keyword, BaiduPage(related));
    }
};

}  // namespace

// Each cause is told apart by the HTTP client's tests and named by the summary's; one stands here.
TEST(HeadlessMine, AFailedPageIsSaidInTheVerboseLineAndTheSummaryAndADeadRunExitsWith1) {
    Rig rig;
    rig.server.setFault(sim::Fault::Reset);
    const Ran m = rig.mine({QStringLiteral("k\x1b\u009b"), "--verbose"});
    EXPECT_EQ(m.status, 1);
    EXPECT_EQ(m.out, "k\x1b\xc2\x9b\n");
    // The verbose line ends with the network layer's own words; controls cannot reach the terminal.
    EXPECT_TRUE(m.errLines().value(0).startsWith("page: reset, 0 found, 0 added: k␛<9B> ("))
        << m.err.constData();
    EXPECT_EQ(m.errLines().mid(1),
              (QList<QByteArray>{"挖掘未完成：1个页面未能获取（连接被中断1个）。共挖掘长尾词1条",
                                 "pages: fetched 0, failed 1, no marker 0, blocked 0",
                                 "failed: name not resolved 0, refused 0, reset 1, timed out 0, "
                                 "too large 0, HTTP status without body 0"}));
}

// Each engine's block page is told by the block signs' own tests; Taobao's stands here.
TEST(HeadlessMine, ABlockPageAddsNothingAndCanEndTheRun) {
    Rig rig;
    rig.server.setEngineOptions({2, 2, sim::BodyCharset::Utf8, 0});
    rig.server.setBlockAfter(1);
    // The keyword carries the block pages' words; its own pages are not taken for one.
    const QString keyword = QStringLiteral("百度安全验证 验证码拦截 异常流量");
    const Ran m = rig.mine({keyword, "--engine", "taobao", "--verbose"});
    // The source and its two children only.
    EXPECT_EQ(std::tuple(m.status, m.out.count('\n')), std::tuple(0, 3));
    EXPECT_TRUE(m.says("page: ok, 3 found, 2 added: " + keyword.toUtf8()));
    EXPECT_TRUE(m.says("page: blocked, 0 found, 0 added: " + keyword.toUtf8() + " 价格"));
    EXPECT_TRUE(m.says("pages: fetched 3, failed 0, no marker 0, blocked 2"));

    // Asked to, the run ends at a block page: the keyword after it is not asked for.
    rig.server.setBlockAfter(-1);
    rig.server.setEngineOptions({0, 0, sim::BodyCharset::Utf8, 0});
    rig.offer("k", {"a", "b"});
    rig.server.setPage(sim::Engine::Baidu, "a", "<title>百度安全验证</title>");
    rig.server.clearRequests();
    const Ran stopped = rig.mine({"k", "--stop-when-blocked"});
    EXPECT_TRUE(stopped.says("pages: fetched 2, failed 0, no marker 0, blocked 1"));  // k and a
}

TEST(HeadlessMine, DelayPacesTheRequests) {
    Rig rig;
    rig.server.setEngineOptions({2, 1, sim::BodyCharset::Utf8, 0});
    rig.mine({"k", "--delay", "120"});
    const auto requests = rig.server.requests();
    ASSERT_EQ(requests.size(), 3);
    for (qsizetype i = 1; i < requests.size(); ++i)
        EXPECT_GE(requests[i].receivedMs - requests[i - 1].receivedMs, 120);
}

TEST(HeadlessMine, LimitEndsTheRunAtThatManyKeywords) {
    Rig rig;
    rig.server.setEngineOptions({6, 2, sim::BodyCharset::Utf8, 0});
    const Ran m = rig.mine({"k", "--limit", "4"});
    EXPECT_EQ(std::tuple(m.out.count('\n'), rig.server.requests().size()), std::tuple(4, 1));
    EXPECT_TRUE(m.says("恭喜！全部挖掘完成。共挖掘长尾词4条"));
}

TEST(HeadlessMine, AResultFileThatCannotBeWrittenIsSaidWithItsPathAndExits1) {
    QTemporaryDir dir;
    Rig rig;
    rig.offer("k", {"a", "b"});
    const Ran m = rig.mine({"k", "--out", dir.filePath("gone")});
    EXPECT_EQ(m.status, 1);
    EXPECT_TRUE(m.says("无法写入结果文件（文件夹不存在）：" + dir.filePath("gone").toUtf8() +
                       "/长尾关键词：k.txt。共挖掘长尾词3条"));
}

TEST(HeadlessMine, AMarkerOrAnEnginesFileFollowsAChangedPage) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "k",
                       "<ul><li class=\"rs\"><a href=\"/s?wd=a\">甲</a></li>"
                       "<li class=\"rs\"><a href=\"/s?wd=b\">乙</a></li></ul>");
    const Ran before = rig.mine({"k"});
    EXPECT_EQ(before.out, "k\n");
    EXPECT_TRUE(before.says("pages: fetched 1, failed 0, no marker 1, blocked 0"));
    const Ran after = rig.mine({"k", "--marker", "<li class=\"rs\"><a href="});
    EXPECT_EQ(after.out, "k\n甲\n乙\n");
    const QString file = rig.enginesFile(
        R"({"engines": {"baidu": {"related": {"marker": "<li class=\"rs\"><a href="}}}})");
    EXPECT_EQ(rig.mine({"k", "--engines", file}).out, "k\n甲\n乙\n");
    // A bad file ends the command before any request; the kinds of fault are the table's tests.
    rig.server.clearRequests();
    const Ran refused = rig.mine({"k", "--engines", rig.enginesFile("{")});
    EXPECT_EQ(std::tuple(refused.status, refused.out, rig.server.requests().size()),
              std::tuple(2, QByteArray(), 0));
    EXPECT_TRUE(refused.err.startsWith("quelvo: " + file.toUtf8() + ": not JSON"))
        << refused.err.data();
}

// Ran by suggestions, the list says so; an answer in no known format adds nothing and is named
// in the summary.
TEST(HeadlessMine, SuggestionsAreMinedAndLabelled) {
    Rig rig;
    rig.server.setEngineOptions({2, 1, sim::BodyCharset::Gbk, 0});
    const QStringList children = sim::RelatedKeywords("k", rig.server.engineOptions());
    rig.server.setFaultFor(children.value(0), sim::Fault::HttpError, 500);
    const QString file = rig.enginesFile(
        R"({"engines": {"google": {"suggest": {"url": "SIM/complete/search?q={keyword}"}}}})");
    const Ran m = rig.mine(
        {"k", "--engine", "google", "--source", "suggest", "--engines", file, "--format", "csv"});
    EXPECT_EQ(m.status, 0);
    EXPECT_TRUE(m.out.startsWith("position,keyword,depth,parent,engine,source\r\n0,k,0,,,\r\n"));
    EXPECT_EQ(m.out.count(",google,suggest\r\n"), m.out.count("\r\n") - 2);
    EXPECT_TRUE(m.says("pages: fetched 3, failed 0, no marker 0, bad answer 1, blocked 0"))
        << m.err.constData();
}

// A hand-made graph: keywords that need quoting, a repeat, and three levels. Both formats carry
// every entry's place in it, the JSON keys in the columns' order.
TEST(HeadlessMine, CsvAndJsonCarryTheTree) {
    Rig rig;
    rig.offer("R", {"a,b", "say \"hi\"", "C"});
    rig.offer("a,b", {"D", "C"});
    rig.offer("C", {"line\nbreak"});  // a line break is no part of a keyword
    EXPECT_EQ(rig.mine({"R", "--format", "csv"}).out,
              "position,keyword,depth,parent,engine,source\r\n"
              "0,R,0,,,\r\n"
              "1,\"a,b\",1,R,baidu,related\r\n"
              "2,\"say \"\"hi\"\"\",1,R,baidu,related\r\n"
              "3,C,1,R,baidu,related\r\n"
              "4,D,2,\"a,b\",baidu,related\r\n"
              "5,line break,2,C,baidu,related\r\n");
    // The same tree as JSON: what only this format does is quoting and the keys' order.
    const QByteArray json = rig.mine({"R", "--format", "json"}).out;
    EXPECT_EQ(QJsonDocument::fromJson(json).array().size(), 6) << json.constData();
    EXPECT_TRUE(json.contains(R"({"position": 2, "keyword": "say \"hi\"", "depth": 1, "parent": )"
                              R"("R", "engine": "baidu", "source": "related"})"));
}
