// The run end to end over real HTTP: window-less view, the program's HTTP client, the loopback
// engines.
#include <QSet>

#include <gtest/gtest.h>

#include "mining/mining_run.h"
#include "sim/keyword_graph.h"
#include "sim/sim_server.h"
#include "web/mod_http.h"

using namespace mining;

namespace {

class ListView : public RunView {
  public:
    Engine engine = Engine::Baidu;
    QString key;
    ResultList list;
    QStringList statuses;
    Engine SelectedEngine() const override { return engine; }
    bool FilterTicked() const override { return false; }
    QString KeyText() const override { return key; }
    QString FolderText() const override { return {}; }
    QString TaobaoMarker() const override { return DefaultTaobaoMarker(); }
    const ResultList& List() const override { return list; }
    void ListAppend(const QString& t) override { list.append(t); }
    void ListClear() override { list.clear(); }
    void SetStatus(const QString& t) override { statuses << t; }
    void SetStartEnabled(bool) override {}
    void ShowMessage(const QString&) override {}
};

// What a breadth-first run over the server's keyword graph must list.
QStringList ExpectedBreadthFirst(const QString& root, const sim::EngineOptions& options) {
    QStringList order{root};
    QSet<QString> seen{root};
    for (int i = 0; i < order.size(); ++i)
        for (const QString& k : sim::RelatedKeywords(order.at(i), options))
            if (!seen.contains(k)) {
                seen.insert(k);
                order << k;
            }
    return order;
}

struct Rig {
    sim::SimServer server;
    web::ModHttp http;
    ListView view;
    std::unique_ptr<MiningRun> run;
    Rig() {
        EXPECT_TRUE(server.listen(0));
        const QUrl base = server.baseUrl();
        run = std::make_unique<MiningRun>(
            view, EngineHosts{base, base, base}, [this](const QUrl& u) { return http.GetHtml(u); },
            [this] { http.AbortAll(); }, "UTF-8");
    }
};

}  // namespace

TEST(RunOverHttp, EveryEngineAndCharsetListsTheWholeGraphBreadthFirst) {
    for (const auto engine : {Engine::Baidu, Engine::Google, Engine::Taobao}) {
        for (const auto charset : {sim::BodyCharset::Utf8, sim::BodyCharset::Gbk}) {
            Rig rig;
            const sim::EngineOptions options{3, 2, charset, 0};
            rig.server.setEngineOptions(options);
            rig.view.engine = engine;
            rig.view.key = QStringLiteral("手机");
            rig.run->CmdStart_Click();
            EXPECT_EQ(rig.view.list.entries(), ExpectedBreadthFirst("手机", options));
            EXPECT_EQ(rig.server.requests().size(), rig.view.list.size());
        }
    }
}

TEST(RunOverHttp, KeywordsReachTheEngineIntact) {
    Rig rig;
    rig.view.key = QStringLiteral("c# & c++ 100%");
    rig.server.setPage(sim::Engine::Baidu, rig.view.key, "<html>nothing</html>");
    rig.run->CmdStart_Click();
    ASSERT_EQ(rig.server.requests().size(), 1);
    EXPECT_EQ(rig.server.requests().at(0).keyword, rig.view.key);
}

TEST(RunOverHttp, FailuresOfEveryKindSkipTheKeywordAndTheRunGoesOn) {
    for (const auto fault : {sim::Fault::Reset, sim::Fault::Stall, sim::Fault::Oversize,
                             sim::Fault::HttpError, sim::Fault::EmptyBody}) {
        Rig rig;
        rig.http.setTransferTimeoutMs(300);
        rig.server.setEngineOptions({2, 1, sim::BodyCharset::Utf8, 0});
        rig.view.key = QStringLiteral("k");
        const QStringList children = sim::RelatedKeywords("k", rig.server.engineOptions());
        rig.server.setFaultFor(children.value(0) == "k" ? children.value(1) : children.value(0),
                               fault, 404);
        rig.run->CmdStart_Click();
        EXPECT_EQ(rig.view.list.entries(), ExpectedBreadthFirst("k", rig.server.engineOptions()))
            << int(fault);
        EXPECT_TRUE(rig.view.statuses.last().startsWith(QStringLiteral("恭喜！全部挖掘完成")));
    }
}
