#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "mining/mining_run.h"

using namespace mining;

namespace {

class FakeView : public RunView {
  public:
    Engine engine = Engine::Baidu;
    bool filter = false;
    QString key;
    QString folder;
    ResultList list;
    QStringList statuses;
    QStringList messages;
    bool startEnabled = true;

    Engine SelectedEngine() const override { return engine; }
    bool FilterTicked() const override { return filter; }
    QString KeyText() const override { return key; }
    QString FolderText() const override { return folder; }
    QString TaobaoMarker() const override { return DefaultTaobaoMarker(); }
    const ResultList& List() const override { return list; }
    void ListAppend(const QString& t) override { list.append(t); }
    void ListClear() override { list.clear(); }
    void SetStatus(const QString& t) override { statuses << t; }
    void SetStartEnabled(bool e) override { startEnabled = e; }
    void ShowMessage(const QString& t) override { messages << t; }
};

QString BaiduPage(const QStringList& keywords) {
    QString page = QStringLiteral("<html><table>");
    for (const QString& k : keywords) page += "<th><a href=\"/s?wd=x\">" + k + "</a></th>";
    return page + "</table></html>";
}

// Serves canned pages by keyword; `during` runs inside a fetch, where the event loop would run.
struct FakeEngine {
    QHash<QString, QString> pages;  // keyword -> page
    QStringList fetched;            // "engine:keyword"
    std::function<void(const QString&)> during;
    bool failAll = false;
    bool aborted = false;

    std::optional<QString> Fetch(const QUrl& url) {
        const QString kw =
            QUrl::fromPercentEncoding(url.toEncoded().mid(url.toEncoded().lastIndexOf('=') + 1));
        const QString engine = url.host();
        fetched << engine + ":" + kw;
        aborted = false;
        if (during) during(kw);
        if (failAll || aborted) return std::nullopt;
        return pages.value(kw);
    }
};

struct Fixture {
    FakeView view;
    FakeEngine engine;
    EngineHosts hosts{QUrl("http://baidu"), QUrl("http://google"), QUrl("http://taobao")};
    MiningRun run{view, hosts, [this](const QUrl& u) { return engine.Fetch(u); },
                  [this] { engine.aborted = true; }, "UTF-8"};
};

}  // namespace

TEST(MiningRun, UserActionsDuringAFetchApplyFromTheNextStep) {
    Fixture f;
    f.view.key = "A";
    f.engine.pages["A"] = BaiduPage({"B", "C"});
    f.engine.pages["B"] = BaiduPage({"D"});
    f.engine.during = [&](const QString& kw) {
        if (kw == "A") {
            f.view.engine = Engine::Taobao;  // the page in flight stays Baidu's
            f.view.filter = true;            // but the filter applies to it already
            f.view.key = "C";
        }
    };
    f.run.CmdStart_Click();
    EXPECT_EQ(f.view.list.entries(), (QStringList{"A", "C"}));
    EXPECT_EQ(f.engine.fetched, (QStringList{"baidu:A", "taobao:C"}));
}

TEST(MiningRun, NewStartDuringTheLastFetchDropsThatPageWithoutNesting) {
    Fixture f;
    f.view.key = "A";
    f.engine.pages["A"] = BaiduPage({"B"});
    f.engine.pages["B"] = BaiduPage({"stale"});
    f.engine.pages["X"] = BaiduPage({"Y"});
    int depth = 0;
    f.engine.during = [&](const QString& kw) {
        ++depth;
        EXPECT_EQ(depth, 1) << "a start must not nest inside a fetch";
        if (kw == "B") {
            f.run.CmdStop_Click();
            f.view.key = "X";
            f.run.CmdStart_Click();  // returns at once, the running loop carries the new run
            EXPECT_TRUE(f.engine.aborted);
        }
        --depth;
    };
    f.run.CmdStart_Click();
    EXPECT_EQ(f.view.list.entries(), (QStringList{"X", "Y"}));
    EXPECT_EQ(f.engine.fetched, (QStringList{"baidu:A", "baidu:B", "baidu:X", "baidu:Y"}));
    EXPECT_EQ(f.view.statuses.last(), "恭喜！全部挖掘完成。共挖掘长尾词2条");
}

TEST(MiningRun, ClearingDuringARunEndsItAtTheNextStep) {
    Fixture f;
    f.view.key = "A";
    f.engine.pages["A"] = BaiduPage({"B", "C"});
    f.engine.pages["B"] = BaiduPage({"D"});
    f.engine.during = [&](const QString& kw) {
        if (kw == "B") f.view.ListClear();
    };
    f.run.CmdStart_Click();
    // The page of B still adds D to the emptied list; index 2 is then past its end.
    EXPECT_EQ(f.view.list.entries(), QStringList{"D"});
    EXPECT_EQ(f.view.statuses.last(), "恭喜！全部挖掘完成。共挖掘长尾词1条");
}

TEST(MiningRun, ResultFileFollowsTheListAndTheKeywordBox) {
    QTemporaryDir dir;
    Fixture f;
    f.view.key = "A";
    f.view.folder = dir.path();
    f.engine.pages["A"] = BaiduPage({"B", "a/b"});
    f.engine.pages["B"] = BaiduPage({"C"});
    f.engine.during = [&](const QString& kw) {
        if (kw == "B") f.view.key = "Z";
    };
    f.run.CmdStart_Click();
    QFile a(dir.filePath("长尾关键词：A.txt"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), QByteArray("A\r\nB\r\na/b\r\n"));
    QFile z(dir.filePath("长尾关键词：Z.txt"));
    ASSERT_TRUE(z.open(QIODevice::ReadOnly));
    EXPECT_EQ(z.readAll(), QByteArray("A\r\nB\r\na/b\r\nC\r\n"));
}

TEST(MiningRun, StopsAddingAtTheListLimit) {
    Fixture f;
    f.view.key = "root";
    QStringList many;
    for (int i = 0; i < ResultList::kMaxEntries + 10; ++i) many << QString::number(i);
    f.engine.pages["root"] = BaiduPage(many);
    f.run.CmdStart_Click();
    EXPECT_EQ(f.view.list.size(), ResultList::kMaxEntries);
    EXPECT_EQ(f.engine.fetched.size(), 1);
    EXPECT_EQ(f.view.statuses.last(), "恭喜！全部挖掘完成。共挖掘长尾词32767条");
}
