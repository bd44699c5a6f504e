// The built `quelvo mine` against a loopback engine that misbehaves on some pages: the run ends,
// the program's memory stays within a small bound above a clean run's, and the list holds exactly
// what the good pages offered, in the order a run visits them.
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <optional>

#include "sim/keyword_graph.h"
#include "sim/sim_server.h"
#include "support/breadth_first.h"
#include "support/wait_until.h"

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
    qputenv("LC_ALL", "C.UTF-8");  // the program's, so that it writes the file in UTF-8
    QProcess quelvo;
    quelvo.start(QStringLiteral(QUELVO_EXE), {"mine", kRoot, "--out", dir.path(), "--baidu-host",
                                              base, "--google-host", base, "--taobao-host", base});
    Mined m;
    // The server answers on this thread's event loop, so the wait must run it.
    if (!WaitUntil([&] { return quelvo.state() == QProcess::NotRunning; }, 120000)) {
        ADD_FAILURE() << "the run did not end within two minutes";
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

}  // namespace

TEST(FaultRun, BadPagesCostOnlyTheirOwnKeywordsAndMemoryStaysBounded) {
    sim::SimServer server;
    ASSERT_TRUE(server.listen(0));
    server.setEngineOptions(kGraph);

    const Mined clean = Mine(server);
    const long cleanPeak = ChildrenPeakKiB();
    ASSERT_EQ(clean.status, 0) << clean.err.constData();

    const auto child = [](const char16_t* modifier) {
        return kRoot + u' ' + QString::fromUtf16(modifier);
    };
    const std::pair<const char16_t*, sim::Fault> hard[] = {
        {u"价格", sim::Fault::Stall},          {u"推荐", sim::Fault::Reset},
        {u"排行榜", sim::Fault::HttpError},    {u"怎么样", sim::Fault::Flood},
        {u"哪个好", sim::Fault::RedirectLoop},
    };
    QHash<QString, std::optional<QStringList>> offers;  // pages that differ from the graph's
    for (const auto& [modifier, fault] : hard) {
        server.setFaultFor(child(modifier), fault);
        offers.insert(child(modifier), std::nullopt);
    }
    server.setPage(sim::Engine::Baidu, child(u"图片"), Garbage(20240610));
    offers.insert(child(u"图片"), std::nullopt);

    const Mined faulty = Mine(server);
    const long faultyPeak = ChildrenPeakKiB();
    std::printf("peak resident size: clean run %ld KiB, run with faults %ld KiB\n", cleanPeak,
                faultyPeak);
    std::printf("%s", faulty.err.right(300).constData());
    EXPECT_EQ(faulty.status, 0);
    EXPECT_EQ(faulty.file, BreadthFirst(kRoot, [&](const QString& k) {
                  return offers.value(k, sim::RelatedKeywords(k, kGraph));
              }));
    EXPECT_LT(faultyPeak, cleanPeak + kHeadroomKiB);
}
