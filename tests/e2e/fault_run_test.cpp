// The built `quelvo mine` against a loopback engine that misbehaves on some pages: the run ends,
// the program's memory stays within a small bound above a clean run's, and the list holds exactly
// what the good pages offered, in the order a run visits them.
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <optional>

#include "sim/body_charset.h"
#include "sim/engine_page.h"
#include "sim/keyword_graph.h"
#include "sim/sim_server.h"
#include "support/breadth_first.h"

namespace {

const QString kRoot = QStringLiteral("phone");
// Wide and shallow: six children of the root go bad and two stay good, with pages below them.
const sim::EngineOptions kGraph{8, 2, sim::BodyCharset::Utf8, 0};
// Above a clean run's peak: the 16 MiB body cap once and a little around it, not the 50 MiB
// flood, nor the cap twice (a copy of the body as it grows).
constexpr long kHeadroomKiB = 28 * 1024;

struct Mined {
    int status = -1;
    QStringList file;  // the result file's lines
    QByteArray err;
};

// The largest resident size of any child reaped so far: each run is reaped before the next starts.
long ChildrenPeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

Mined Mine(const sim::SimServer& server) {
    QTemporaryDir dir;
    const QString base = server.baseUrl().toString();
    QProcess quelvo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    quelvo.setProcessEnvironment(env);
    // The server answers on this thread's event loop, so the wait must run it.
    QEventLoop loop;
    QObject::connect(&quelvo, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    quelvo.start(QStringLiteral(QUELVO_EXE), {"mine", kRoot, "--out", dir.path(), "--baidu-host",
                                              base, "--google-host", base, "--taobao-host", base});
    loop.exec();
    Mined m;
    if (quelvo.state() != QProcess::NotRunning) {
        ADD_FAILURE() << "the run did not end within two minutes";
        quelvo.kill();
        quelvo.waitForFinished();
        return m;
    }
    m.status = quelvo.exitStatus() == QProcess::NormalExit ? quelvo.exitCode() : -1;
    m.err = quelvo.readAllStandardError();
    QFile file(dir.filePath(QStringLiteral("长尾关键词：") + kRoot + QStringLiteral(".txt")));
    if (file.open(QIODevice::ReadOnly))
        m.file =
            QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    return m;
}

QByteArray Garbage(quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(64 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    return bytes;
}

// A byte sequence valid in neither charset, put where no keyword is.
QByteArray Spoiled(QByteArray page) { return page.replace("<title>", "<title>\x81\x20\xff\xfe"); }

}  // namespace

TEST(FaultRun, BadPagesCostOnlyTheirOwnKeywordsAndMemoryStaysBounded) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    server.setEngineOptions(kGraph);
    const auto graph = [](const QString& k) -> std::optional<QStringList> {
        return sim::RelatedKeywords(k, kGraph);
    };

    const Mined clean = Mine(server);
    const long cleanPeak = ChildrenPeakKiB();
    ASSERT_EQ(clean.status, 0) << clean.err.constData();
    EXPECT_EQ(clean.file, BreadthFirst(kRoot, graph));

    const quint32 seed = 20240610;
    std::printf("garbage seed %u\n", seed);
    const auto child = [](const char16_t* modifier) {
        return kRoot + u' ' + QString::fromUtf16(modifier);
    };
    const struct {
        QString keyword;
        sim::Fault fault;
    } hard[] = {
        {child(u"价格"), sim::Fault::Stall},          {child(u"推荐"), sim::Fault::Reset},
        {child(u"排行榜"), sim::Fault::HttpError},    {child(u"怎么样"), sim::Fault::Flood},
        {child(u"哪个好"), sim::Fault::RedirectLoop},
    };
    QHash<QString, std::optional<QStringList>> offers;  // pages that differ from the graph's
    for (const auto& h : hard) {
        server.setFaultFor(h.keyword, h.fault);
        offers.insert(h.keyword, std::nullopt);
    }
    server.setPage(sim::Engine::Baidu, child(u"图片"), Garbage(seed));
    offers.insert(child(u"图片"), std::nullopt);

    // Not UTF-8, so read as GBK: the broken bytes cost nothing, the keywords come through.
    const QString gbkKeyword = child(u"官网");
    server.setPage(sim::Engine::Baidu, gbkKeyword,
                   Spoiled(sim::EncodeBody(sim::BaiduPage(gbkKeyword, *graph(gbkKeyword), "gbk"),
                                           sim::BodyCharset::Gbk)));
    // A UTF-8 page with one broken sequence is read as GBK too; keywords in ASCII survive that.
    const QString utf8Keyword = child(u"二手");
    const QStringList ascii{kRoot + " ascii one", kRoot + " ascii two"};
    server.setPage(sim::Engine::Baidu, utf8Keyword,
                   Spoiled(sim::BaiduPage(utf8Keyword, ascii, "utf-8").toUtf8()));
    offers.insert(utf8Keyword, ascii);
    for (const QString& k : ascii) {
        server.setPage(sim::Engine::Baidu, k, "<html><body></body></html>");
        offers.insert(k, QStringList());
    }

    const Mined faulty = Mine(server);
    const long faultyPeak = ChildrenPeakKiB();
    std::printf("peak resident size: clean run %ld KiB, run with faults %ld KiB\n", cleanPeak,
                faultyPeak);
    std::printf("%s", faulty.err.right(300).constData());
    EXPECT_EQ(faulty.status, 0);
    EXPECT_EQ(faulty.file,
              BreadthFirst(kRoot, [&](const QString& k) { return offers.value(k, graph(k)); }));
    for (const char* cause : {"reset 1", "timed out 1", "too large 1"})
        EXPECT_TRUE(faulty.err.contains(cause)) << cause;
    EXPECT_LT(faultyPeak, cleanPeak + kHeadroomKiB);
}
