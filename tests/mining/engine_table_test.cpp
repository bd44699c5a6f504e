#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "mining/engine_table.h"

using namespace mining;

namespace {

TableRead Read(const QByteArray& json) {
    return ReadEngineTable(json, QStringLiteral("/x/engines.json"), DefaultEngineTable());
}

}  // namespace

TEST(EngineTable, AFileNamesOnlyWhatItChanges) {
    const TableRead read = Read(
        "\xEF\xBB\xBF"
        R"({"engines": {"baidu": {"related": {"marker": "<li class=\"rs\"><a href="}},
                             "taobao": {"window_source": "suggest"}}})");
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EngineTable expected = DefaultEngineTable();
    expected.Of(Engine::Baidu).marker = QStringLiteral("<li class=\"rs\"><a href=");
    expected.Of(Engine::Taobao).windowSource = Source::Suggest;
    EXPECT_EQ(read.table.entries, expected.entries);
    EXPECT_EQ(read.table.file, QStringLiteral("/x/engines.json"));
    EXPECT_TRUE(read.table.OriginOf(Engine::Baidu).related);
    EXPECT_FALSE(read.table.OriginOf(Engine::Baidu).suggest);
    EXPECT_TRUE(read.table.OriginOf(Engine::Taobao).windowSource);
}

TEST(EngineTable, ABadFileIsRefusedWholeSayingWhere) {
    // Each case sets a good marker first: a refused file must leave no trace of it.
    const QByteArray good = R"("google": {"related": {"marker": "<new>"}})";
    // The rest of the "engines" object, or a whole file; what the refusal says.
    const std::pair<QByteArray, const char*> cases[] = {
        {"{\"engines\": {", "not JSON"},
        {"[1, 2]", "must hold a JSON object"},
        {R"({"version": 2})", "version: only version 1"},
        {R"({"engins": {}})", "unknown key \"engins\""},
        {R"("bing": {})", "engines.bing: unknown engine"},
        {R"("baidu": {"related": "x"})", "engines.baidu.related: must be an object"},
        {R"("baidu": {"related": {"url": 1}})", "engines.baidu.related.url: must be a text"},
        {R"("baidu": {"related": {"url": "https://b.test/s?wd="}})", "has no {keyword}"},
        {R"("baidu": {"related": {"url": "ftp://b.test/{keyword}"}})", "not an http or https"},
        {R"("baidu": {"related": {"marker": ""}})", "related.marker: must not be empty"},
        {R"("baidu": {"related": {"markr": "x"}})", "unknown key \"markr\""},
        {R"("baidu": {"suggest": {"format": "xml"}})", "suggest.format: unknown format \"xml\""},
        {R"("baidu": {"suggest": {"url": "https://s.test/"}})", "suggest.url: the address has"},
        {R"("baidu": {"window_source": "both"})", "window_source: unknown source"},
    };
    for (const auto& [engines, says] : cases) {
        const QByteArray json =
            engines.startsWith('"') ? "{\"engines\": {" + good + ", " + engines + "}}" : engines;
        const TableRead read = Read(json);
        EXPECT_TRUE(read.error.startsWith(QStringLiteral("/x/engines.json: "))) << json.data();
        EXPECT_TRUE(read.error.contains(QString::fromUtf8(says)))
            << json.data() << " -> " << read.error.toStdString();
        EXPECT_EQ(read.table.entries, DefaultEngineTable().entries) << json.data();
        EXPECT_TRUE(read.table.file.isEmpty());
    }
}

TEST(EngineTable, TheUsersFileIsReadWhenThereIsOne) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(LoadEngineTable({}).table.entries, DefaultEngineTable().entries);
    EXPECT_TRUE(LoadEngineTable({}).error.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkpath("quelvo"));
    QFile file(dir.filePath("quelvo/engines.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"engines": {"google": {"window_source": "suggest"}}})");
    file.close();
    EXPECT_EQ(LoadEngineTable({}).table.Of(Engine::Google).windowSource, Source::Suggest);
    EXPECT_EQ(LoadEngineTable({}).table.file, file.fileName());
    // A file named for one run must be there.
    EXPECT_TRUE(LoadEngineTable(dir.filePath("none.json")).error.contains("cannot be read"));
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(EngineTable, AddressesTakeTheKeywordEncodedAndTheHostsGiven) {
    // As UTF-8, and characters that would change the query's meaning escaped.
    EXPECT_EQ(AddressFor("https://s.test/s?a=1&q={keyword}", "手机 c#&x+y%").toEncoded(),
              QByteArray("https://s.test/s?a=1&q=%E6%89%8B%E6%9C%BA%20c%23%26x%2By%25"));
    // Only the hosts given move: Baidu's page and Taobao's suggestions here.
    EngineTable expected = DefaultEngineTable();
    expected.Of(Engine::Baidu).relatedUrl = QStringLiteral("http://127.0.0.1:8080/s?wd={keyword}");
    expected.Of(Engine::Taobao).suggestUrl =
        QStringLiteral("http://s.test/sug?code=utf-8&q={keyword}");
    const QUrl baidu("http://127.0.0.1:8080/"), taobao("http://s.test");
    EXPECT_EQ(WithHosts(DefaultEngineTable(), {baidu, {}, {}}, {{}, {}, taobao}).entries,
              expected.entries);
}
