// `quelvo check` and `quelvo engines` in-process against the loopback engines.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/engine_check.h"
#include "app/engines_command.h"
#include "mining/engine_table.h"
#include "run_program.h"
#include "sim/sim_server.h"

namespace {

Ran Check(const QStringList& args) {
    return InProcess(
        [](const CommandLine& cl, std::FILE* o, std::FILE* e) { return RunCheck(cl, o, e, 400); },
        QStringList{"quelvo", "check"} + args);
}

}  // namespace

// Every status from an engine that answers that way, as text and as JSON.
TEST(QuelvoCheck, SaysForEachEngineAndSourceWhetherItStillAnswers) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QString refused = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    const QString base = server.baseUrl().toString();
    server.setPage(sim::Engine::Google, "手机", "<html>a page without its marker</html>");
    QTemporaryDir dir;
    // Baidu's suggestions come from an address that answers with an error page.
    const QString file = WriteFile(dir.filePath("engines.json"), QStringLiteral(R"({"engines": {
        "baidu": {"suggest": {"url": "%1/nothing?q={keyword}"}},
        "google": {"suggest": {"url": "%2/complete/search?q={keyword}"}},
        "taobao": {"suggest": {"url": "%1/sug?q={keyword}"}}}})")
                                                                     .arg(base, refused)
                                                                     .toUtf8());
    const QStringList common{"--engines",     file, "--baidu-host",  base,
                             "--google-host", base, "--taobao-host", base};

    const Ran text = Check(common);
    EXPECT_EQ(text.status, 1);
    const QList<QByteArray> lines = text.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 6) << text.out.constData();
    const char* starts[] = {
        "baidu related: ok, 7 keywords (HTTP 200, ",  "baidu suggest: bad-answer (HTTP 404, ",
        "google related: no-marker (HTTP 200, ",      "google suggest: unreachable: refused (",
        "taobao related: ok, 7 keywords (HTTP 200, ", "taobao suggest: ok, 7 keywords (HTTP 200, "};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(lines.at(i).startsWith(starts[i])) << lines.at(i).constData();
    // A changed page tells what to do, and where.
    EXPECT_TRUE(lines.at(2).contains("put its new marker in the engines file " + file.toUtf8()));

    server.setBlockAfter(0);
    const Ran json = Check(common + QStringList{"--engine", "taobao", "--format", "json"});
    EXPECT_EQ(json.status, 1);
    const QJsonArray verdicts = QJsonDocument::fromJson(json.out).array();
    ASSERT_EQ(verdicts.size(), 2) << json.out.constData();
    EXPECT_EQ(verdicts.at(1)["status"], "blocked");
    EXPECT_TRUE(json.out.contains(
        R"({"engine": "taobao", "source": "related", "status": "blocked", "keywords": 0, )"
        R"("http_status": 200, "ms": )"));

    server.setBlockAfter(-1);
    EXPECT_EQ(Check(common + QStringList{"--engine", "taobao", "--probe", "手表"}).status, 0);
    EXPECT_EQ(server.requests().last().keyword, "手表");
}

TEST(QuelvoEngines, TheWrittenDefaultsReadBackToTheSameTable) {
    QTemporaryDir dir;
    const QString path = dir.filePath("engines.json");
    const auto engines = [](const CommandLine& cl, std::FILE* o, std::FILE* e) {
        return RunEngines(cl, o, e);
    };
    EXPECT_EQ(InProcess(engines, {"quelvo", "engines", "--write", path}).status, 0);
    const mining::TableRead read = mining::LoadEngineTable(path);
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_EQ(read.table.entries, mining::DefaultEngineTable().entries);
    // Never over a file that is there.
    QFile(path).resize(0);
    EXPECT_EQ(InProcess(engines, {"quelvo", "engines", "--write", path}).status, 1);
    EXPECT_EQ(QFile(path).size(), 0);

    WriteFile(path, R"({"engines": {"google": {"related": {"marker": "<h3>"}}}})");
    const Ran listing = InProcess(engines, {"quelvo", "engines", "--engines", path});
    EXPECT_EQ(listing.status, 0);
    EXPECT_TRUE(listing.out.startsWith("engines file: " + path.toUtf8() + "\n"));
    EXPECT_TRUE(
        listing.out.contains("google related (the file): "
                             "https://www.google.com/search?hl=zh-CN&q={keyword}\n"
                             "    marker: <h3>\n"));
    EXPECT_TRUE(listing.out.contains("google suggest (built in): "));
}
