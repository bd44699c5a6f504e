// `quelvo mine` in-process against the loopback engines: its summary, block pages, pacing, limit,
// marker, exported tree and exit status.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/headless_mine.h"
#include "sim/sim_server.h"
#include "support/engine_pages.h"

namespace {

struct Mined {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> errLines() const { return err.trimmed().split('\n'); }
    bool says(const QByteArray& line) const { return errLines().contains(line); }
};

QByteArray ReadBack(std::FILE* f) {
    std::rewind(f);
    QByteArray bytes;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        bytes.append(buf, static_cast<qsizetype>(n));
    std::fclose(f);
    return bytes;
}

struct Rig {
    sim::SimServer server;
    Rig() {
        EXPECT_TRUE(server.listen(0));
        server.setEngineOptions({0, 0, sim::BodyCharset::Utf8, 0});  // only set pages offer
    }
    Mined mine(QStringList args, const QUrl& host = {}) {
        const QString base = (host.isEmpty() ? server.baseUrl() : host).toString();
        args = QStringList{"quelvo", "mine"} + args +
               QStringList{"--baidu-host", base, "--google-host", base, "--taobao-host", base};
        const CommandLine cl = ParseCommandLine(args);
        EXPECT_TRUE(cl.error.isEmpty()) << cl.error.toStdString();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        Mined m;
        m.status = RunHeadlessMine(cl, out, err, 400);
        m.out = ReadBack(out);
        m.err = ReadBack(err);
        return m;
    }
    void offer(const QString& keyword, const QStringList& related) {
        server.setPage(sim::Engine::Baidu, keyword, BaiduPage(related));
    }
};

QByteArray FailedLine(const char* cause) {
    QByteArray line =
        "failed: name not resolved 0, refused 0, reset 0, timed out 0, too large 0, "
        "HTTP status without body 0";
    return line.replace(QByteArray(cause) + " 0", QByteArray(cause) + " 1");
}

}  // namespace

TEST(HeadlessMine, EachFailureCauseIsCountedOnceAndADeadRunExitsWith1) {
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort()));
    closed.close();
    // Longer than a DNS name may be: the resolver gives up without asking any server.
    const QUrl unresolvable(QStringLiteral("http://%1.%1.%1.%1.test").arg(QString(62, u'x')));

    const struct {
        const char* cause;
        sim::Fault fault;
        QUrl host;
    } cases[] = {
        {"name not resolved", sim::Fault::None, unresolvable},
        {"refused", sim::Fault::None, refused},
        {"reset", sim::Fault::Reset, {}},
        {"timed out", sim::Fault::Stall, {}},
        {"too large", sim::Fault::Oversize, {}},
        {"HTTP status without body", sim::Fault::None, {}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.server.setFault(c.fault);
        rig.server.setPage(sim::Engine::Baidu, "k", "", 503);
        const Mined m = rig.mine({"k", "--verbose"}, c.host);
        EXPECT_EQ(m.status, 1) << c.cause;
        EXPECT_EQ(m.out, "k\n");
        // The verbose line ends with the network layer's own words.
        EXPECT_TRUE(m.errLines().value(0).startsWith(QByteArray("page: ") + c.cause +
                                                     ", 0 found, 0 added: k ("))
            << m.err.constData();
        EXPECT_EQ(m.errLines().mid(2), (QList<QByteArray>{"pages: fetched 0, failed 1, no "
                                                          "marker 0, blocked 0",
                                                          FailedLine(c.cause)}))
            << c.cause << m.err.constData();
    }
}

TEST(HeadlessMine, EveryEnginesBlockPageAddsNothingAndCanEndTheRun) {
    for (const auto engine :
         {mining::Engine::Baidu, mining::Engine::Google, mining::Engine::Taobao}) {
        const QString name = mining::EngineName(engine);
        SCOPED_TRACE(name.toStdString());
        Rig rig;
        rig.server.setEngineOptions({2, 2, sim::BodyCharset::Utf8, 0});
        rig.server.setBlockAfter(1);
        // The keyword carries a block page's words; its own pages are not taken for one.
        const QString keyword = QStringLiteral("百度安全验证 验证码拦截 异常流量");
        const Mined m = rig.mine({keyword, "--engine", name, "--verbose"});
        EXPECT_EQ(m.status, 0);
        EXPECT_EQ(m.out.split('\n').size() - 1, 3);  // the source and its two children only
        EXPECT_TRUE(m.says("page: ok, 3 found, 2 added: " + keyword.toUtf8()));
        EXPECT_TRUE(m.says("page: blocked, 0 found, 0 added: " + keyword.toUtf8() + " 价格"));
        EXPECT_TRUE(m.says("pages: fetched 3, failed 0, no marker 0, blocked 2"));

        rig.server.clearRequests();
        const Mined stopped = rig.mine({keyword, "--engine", name, "--stop-when-blocked"});
        // The sim already blocks this client: no keyword after the source is asked for. (The
        // network layer may send a request twice when a kept-alive connection closes under it.)
        for (const auto& request : rig.server.requests()) EXPECT_EQ(request.keyword, keyword);
        EXPECT_TRUE(stopped.says("pages: fetched 1, failed 0, no marker 0, blocked 1"));
    }
}

TEST(HeadlessMine, DelayPacesTheRequests) {
    Rig rig;
    rig.server.setEngineOptions({2, 1, sim::BodyCharset::Utf8, 0});
    const Mined m = rig.mine({"k", "--delay", "120"});
    const auto requests = rig.server.requests();
    ASSERT_EQ(requests.size(), 3);
    for (qsizetype i = 1; i < requests.size(); ++i)
        EXPECT_GE(requests[i].receivedMs - requests[i - 1].receivedMs, 120);
}

TEST(HeadlessMine, LimitEndsTheRunAtThatManyKeywords) {
    Rig rig;
    rig.server.setEngineOptions({6, 2, sim::BodyCharset::Utf8, 0});
    const Mined m = rig.mine({"k", "--limit", "4"});
    EXPECT_EQ(m.out.count('\n'), 4);
    EXPECT_EQ(rig.server.requests().size(), 1);
    EXPECT_TRUE(m.says("恭喜！全部挖掘完成。共挖掘长尾词4条"));
}

TEST(HeadlessMine, VerboseLinesShowControlsAndCountOverlongCandidates) {
    Rig rig;
    const QString keyword = QStringLiteral("a\x1b]0;t\x07\x7f\u009b\tb");
    rig.offer(keyword, {QString(1025, u'x'), "c"});
    const Mined m = rig.mine({keyword, "--verbose"});
    EXPECT_TRUE(m.says("page: ok, 2 found, 1 added, 1 too long: a␛]0;t␇␡<9B>␉b"))
        << m.err.constData();
    EXPECT_FALSE(m.err.contains('\x1b'));
}

TEST(HeadlessMine, AResultFileThatCannotBeWrittenIsSaidWithItsPathAndExits1) {
    QTemporaryDir dir;
    Rig rig;
    rig.offer("k", {"a", "b"});
    const QString path = dir.filePath("gone/长尾关键词：k.txt");
    const Mined m = rig.mine({"k", "--out", dir.filePath("gone")});
    EXPECT_EQ(m.status, 1);
    // Once when it happened (not once a keyword), once more at the end with the count.
    EXPECT_EQ(m.err.count("无法写入结果文件（文件夹不存在）：" + path.toUtf8() + "\n"), 1);
    EXPECT_TRUE(m.says("无法写入结果文件（文件夹不存在）：" + path.toUtf8() + "。共挖掘长尾词3条"));
}

TEST(HeadlessMine, MarkerReplacesTheEnginesWhenItsPageChanged) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "k",
                       "<ul><li class=\"rs\"><a href=\"/s?wd=a\">甲</a></li>"
                       "<li class=\"rs\"><a href=\"/s?wd=b\">乙</a></li></ul>");
    const Mined before = rig.mine({"k"});
    EXPECT_EQ(before.out, "k\n");
    EXPECT_TRUE(before.says("pages: fetched 1, failed 0, no marker 1, blocked 0"));
    const Mined after = rig.mine({"k", "--marker", "<li class=\"rs\"><a href="});
    EXPECT_EQ(after.out, "k\n甲\n乙\n");
}

// A hand-made graph: keywords that need quoting, a repeat, and three levels.
TEST(HeadlessMine, CsvAndJsonCarryTheTree) {
    Rig rig;
    rig.offer("R", {"a,b", "say \"hi\"", "C"});
    rig.offer("a,b", {"D", "C"});
    rig.offer("C", {"line\nbreak"});
    const QList<QStringList> expected = {
        {"0", "R", "0", "", ""},
        {"1", "a,b", "1", "R", "baidu"},
        {"2", "say \"hi\"", "1", "R", "baidu"},
        {"3", "C", "1", "R", "baidu"},
        {"4", "D", "2", "a,b", "baidu"},
        {"5", "line break", "2", "C", "baidu"},  // a line break is no part of a keyword
    };

    const Mined json = rig.mine({"R", "--format", "json"});
    QList<QStringList> rows;
    for (const QJsonValue& v : QJsonDocument::fromJson(json.out).array()) {
        const QJsonObject o = v.toObject();
        rows.append({QString::number(o["position"].toInt()), o["keyword"].toString(),
                     QString::number(o["depth"].toInt()), o["parent"].toString(),
                     o["engine"].toString()});
    }
    EXPECT_EQ(rows, expected);
    // Keys in the columns' order.
    EXPECT_TRUE(json.out.contains(
        R"({"position": 1, "keyword": "a,b", "depth": 1, "parent": "R", "engine": "baidu"})"));

    // Read back by an independent RFC 4180 reader.
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty()) GTEST_SKIP() << "python3 is needed to read the csv back";
    const Mined csv = rig.mine({"R", "--format", "csv"});
    QProcess reader;
    reader.start(python, {"-c",
                          "import csv, io, json, sys\n"
                          "rows = list(csv.reader(io.StringIO(sys.stdin.buffer.read()"
                          ".decode('utf-8'), newline='')))\n"
                          "sys.stdout.write(json.dumps(rows))"});
    reader.write(csv.out);
    reader.closeWriteChannel();
    ASSERT_TRUE(reader.waitForFinished(30000));
    QList<QStringList> parsed;
    for (const QJsonValue& row : QJsonDocument::fromJson(reader.readAllStandardOutput()).array())
        parsed.append(row.toVariant().toStringList());
    ASSERT_FALSE(parsed.isEmpty());
    EXPECT_EQ(parsed.first(), (QStringList{"position", "keyword", "depth", "parent", "engine"}));
    EXPECT_EQ(parsed.mid(1), expected);
}
