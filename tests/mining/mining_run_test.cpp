// The run end to end: a window-less view, the program's HTTP client, the loopback engines.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "mining/mining_run.h"
#include "sim/sim_server.h"
#include "support/breadth_first.h"
#include "support/engine_pages.h"
#include "support/on_request.h"
#include "support/small_disk.h"
#include "web/mod_http.h"

using namespace mining;

namespace {

class ListView : public RunView {
  public:
    Engine engine = Engine::Baidu;
    std::optional<Source> source;
    bool filter = false;
    QString key;
    QString folder;
    ResultList list;
    QStringList statuses;

    Engine SelectedEngine() const override { return engine; }
    bool FilterTicked() const override { return filter; }
    QString KeyText() const override { return key; }
    QString FolderText() const override { return folder; }
    QString TaobaoMarker() const override { return DefaultEngineTable().Of(Engine::Taobao).marker; }
    std::optional<Source> SourceOverride() const override { return source; }
    const ResultList& List() const override { return list; }
    void ListAppend(const QString& t) override { list.append(t); }
    void ListClear() override { list.clear(); }
    void SetStatus(const QString& t) override { statuses << t; }
    void SetStartEnabled(bool) override {}
    void ShowMessage(const QString&) override {}
    void PageDone(const PageReport& r) override { tooLong += r.tooLong; }
    int tooLong = 0;
};

// What a breadth-first run over the server's keyword graph must list.
QStringList ExpectedBreadthFirst(const QString& root, const sim::EngineOptions& options) {
    return BreadthFirst(root, [&](const QString& k) { return sim::RelatedKeywords(k, options); });
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct Rig {
    sim::SimServer server;
    web::ModHttp http;
    ListView view;
    std::unique_ptr<MiningRun> run;

    // Without the keyword graph, only the pages a test sets offer keywords. `edit` changes the
    // engine table, whose every address is on the server.
    explicit Rig(bool graph = false, const std::function<void(EngineTable&)>& edit = {}) {
        EXPECT_TRUE(server.listen(0));
        if (!graph) server.setEngineOptions({0, 0, sim::BodyCharset::Utf8, 0});
        const QUrl base = server.baseUrl();
        EngineTable table = WithHosts(DefaultEngineTable(), {base, base, base}, {base, base, base});
        if (edit) edit(table);
        const auto fetch = [this](const QUrl& u) { return http.GetPage(u); };
        run = std::make_unique<MiningRun>(
            view, table, fetch, [this] { http.AbortAll(); }, "UTF-8");
    }
    // Runs `action` inside the client's wait, as soon as `keyword`'s request reaches the server:
    // what a user's click during a fetch does.
    void during(const QString& keyword, std::function<void()> action) {
        OnRequest(server, &server, keyword, std::move(action));
    }
    // Types the keyword and clicks 开始挖掘.
    void start(const QString& keyword) {
        view.key = keyword;
        run->CmdStart_Click();
    }
    QStringList fetched() const {
        QStringList out;
        for (const auto& r : server.requests())
            out << QStringLiteral("%1:%2").arg(int(r.engine)).arg(r.keyword);
        return out;
    }
};

}  // namespace

// Suggestions come in UTF-8 and GBK, declared in the answer's header (Baidu and Taobao, whose
// addresses name the charset) or not (Google, whose answer is then in the server's charset).
TEST(RunOverHttp, EveryEngineSourceAndCharsetListsTheWholeGraphBreadthFirst) {
    for (const auto engine : kEngines)
        for (const auto source : {Source::Related, Source::Suggest})
            for (const auto charset : {sim::BodyCharset::Utf8, sim::BodyCharset::Gbk}) {
                SCOPED_TRACE(testing::Message() << int(engine) << int(source) << int(charset));
                Rig rig(true, [charset](EngineTable& table) {
                    if (charset == sim::BodyCharset::Gbk)
                        for (const auto e : kEngines)
                            table.Of(e).suggestUrl.replace("utf-8", "gbk");
                });
                const sim::EngineOptions options{3, 2, charset, 0};
                rig.server.setEngineOptions(options);
                rig.view.engine = engine;
                rig.view.source = source;
                rig.start(QStringLiteral("手机"));
                EXPECT_EQ(rig.view.list.entries(), ExpectedBreadthFirst("手机", options));
                EXPECT_EQ(rig.server.requests().size(), rig.view.list.size());
                for (const auto& r : rig.server.requests())
                    EXPECT_EQ(r.suggest, source == Source::Suggest);
            }
}

// The kinds of failed fetch are told apart by the HTTP client's own tests; here one stands for all.
TEST(RunOverHttp, AFailedFetchSkipsTheKeywordTheRunGoesOnAndItsEndSaysWhy) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B", "C"}));
    rig.server.setFaultFor("B", sim::Fault::Reset);
    rig.server.setPage(sim::Engine::Baidu, "C", BaiduPage({"D"}));
    rig.start("A");
    EXPECT_EQ(rig.view.list.entries(), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(rig.view.statuses.last(),
              "挖掘未完成：1个页面未能获取（连接被中断1个）。共挖掘长尾词4条");
}

TEST(MiningRun, UserActionsDuringAFetchApplyFromTheNextStep) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B", "C"}));
    rig.during("A", [&] {
        rig.view.engine = Engine::Taobao;  // the page in flight stays Baidu's
        rig.view.filter = true;            // but the filter applies to it already
        rig.view.key = "C";
    });
    rig.start("A");
    EXPECT_EQ(rig.view.list.entries(), (QStringList{"A", "C"}));
    EXPECT_EQ(rig.fetched(), (QStringList{"0:A", "2:C"}));
}

TEST(MiningRun, NewStartDuringTheLastFetchDropsThatPageWithoutNesting) {
    Rig rig;
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B"}));
    rig.server.setPage(sim::Engine::Baidu, "B", BaiduPage({"stale"}));
    rig.server.setPage(sim::Engine::Baidu, "X", BaiduPage({"Y"}));
    rig.during("B", [&] {
        rig.run->CmdStop_Click();
        rig.start("X");
        // Returned at once: the loop already running carries the new run, starts never nest.
        EXPECT_EQ(rig.server.requests().size(), 2);
    });
    rig.start("A");
    EXPECT_EQ(rig.view.list.entries(), (QStringList{"X", "Y"}));
    EXPECT_EQ(rig.fetched(), (QStringList{"0:A", "0:B", "0:X", "0:Y"}));
    EXPECT_EQ(rig.view.statuses.last(), "恭喜！全部挖掘完成。共挖掘长尾词2条");
}

TEST(MiningRun, ResultFileFollowsTheListAndTheKeywordBox) {
    QTemporaryDir dir;
    Rig rig;
    rig.view.folder = dir.path();
    rig.server.setPage(sim::Engine::Baidu, "A", BaiduPage({"B", "a/b", "D"}));
    rig.server.setPage(sim::Engine::Baidu, "B", BaiduPage({"C"}));
    rig.during("B", [&] { rig.view.key = "Z"; });
    rig.start("A");
    EXPECT_EQ(ReadAll(dir.filePath("长尾关键词：A.txt")), QByteArray("A\r\nB\r\na/b\r\nD\r\n"));
    EXPECT_EQ(ReadAll(dir.filePath("长尾关键词：Z.txt")),
              QByteArray("A\r\nB\r\na/b\r\nD\r\nC\r\n"));
    // To the disk once a page, not once an addition: A's file whole, then A's page; Z's file whole.
    EXPECT_EQ(rig.run->Writer().syncs(), 3);
}

// The candidate rule's and the declared charset's tables are their own tests'; one page shows the
// run uses both.
TEST(MiningRun, CandidatesAreTakenAsTheEngineShowedThem) {
    Rig rig;
    rig.view.filter = true;
    // One bad byte in the UTF-8 page it declares must not make the rest mojibake.
    rig.server.setPage(
        sim::Engine::Baidu, "k",
        BaiduPage({"k&amp;手机 c#+1%", "", "k&手机 c#+1%", "k\r\n2", "k" + QString(1024, u'x')}) +
            "\xff",
        200, "text/html; charset=utf-8");
    rig.start("k");
    EXPECT_EQ(rig.view.list.entries(), (QStringList{"k", "k&手机 c#+1%", "k  2"}));
    EXPECT_EQ(rig.view.tooLong, 1);
}

// The status line says it once; every addition tries again, so the file is whole once space
// returns.
TEST(MiningRun, AFullDiskIsSaidOnceAndTheFileIsWholeOnceSpaceReturns) {
    SmallDisk disk(4, 3);
    if (!disk.ok()) GTEST_SKIP() << "mounting a small tmpfs needs root";
    Rig rig(true);
    rig.server.setEngineOptions({8, 3, sim::BodyCharset::Utf8, 0});
    rig.view.folder = disk.path();
    rig.during(ExpectedBreadthFirst("手机", rig.server.engineOptions()).at(60),
               [&] { EXPECT_TRUE(disk.Grow(256, 8)); });
    rig.start(QStringLiteral("手机"));
    const QString path = disk.filePath("长尾关键词：手机.txt");
    EXPECT_EQ(rig.view.statuses.filter(QStringLiteral("无法写入结果文件")),
              QStringList{"无法写入结果文件（磁盘已满）：" + path});
    EXPECT_EQ(ReadAll(path), (rig.view.list.entries().join("\r\n") + "\r\n").toUtf8());
    EXPECT_EQ(rig.view.statuses.last(), CompletionText(rig.view.list.size()));
}

// A keyword that looks like a path keeps its run and its list; it names no file, anywhere.
TEST(MiningRun, AKeywordThatCannotNameAFileIsSaidAndWritesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("a/chosen"));
    Rig rig;
    rig.view.folder = dir.filePath("a/chosen");
    rig.server.setPage(sim::Engine::Baidu, "../../x", BaiduPage({"y"}));
    rig.start("../../x");
    EXPECT_EQ(rig.view.list.entries(), (QStringList{"../../x", "y"}));
    EXPECT_EQ(rig.view.statuses.last(), "无法写入结果文件（文件名无效）：" + rig.view.folder +
                                            "/长尾关键词：../../x.txt。共挖掘长尾词2条");
    QDirIterator files(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    EXPECT_FALSE(files.hasNext()) << files.next().toStdString();
}

TEST(MiningRun, StopsAddingAtTheListLimit) {
    Rig rig;
    rig.view.list = ResultList(3);
    rig.server.setPage(sim::Engine::Baidu, "root", BaiduPage({"a", "b", "c"}));
    rig.start("root");
    EXPECT_EQ(rig.view.list.entries(), (QStringList{"root", "a", "b"}));
    EXPECT_EQ(rig.server.requests().size(), 1);
    EXPECT_EQ(rig.view.statuses.last(), "恭喜！全部挖掘完成。共挖掘长尾词3条");
}
