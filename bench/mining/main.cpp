// A headless mining run to the list limit against the loopback engines in another process.
// Prints the time of the run with a result file against the same run without one (the file's
// whole cost, the disk's flushes included; target within 1.3x), pages per second, the cost of one
// added keyword early and late in the run (their ratio should stay near 1), and the bytes written
// to the result file against what rewriting the whole file after every addition would have written,
// and the peak resident memory of the runs (the engines' own is printed apart).
// Usage: bench_mining [ENTRIES...]   list sizes to stop at (default: the limit, 32767)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "mining/mining_run.h"
#include "mining/result_file.h"
#include "web/mod_http.h"

namespace {

// The high-water mark of resident memory, in MiB, of this process or of its reaped children.
double PeakMiB(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss / 1024.0;
}

class BenchView : public mining::RunView {
  public:
    QString key;
    QString folder;
    int limit = mining::ResultList::kMaxEntries;
    std::function<void()> stop;  // presses Stop once the list has reached the limit
    mining::ResultList list;
    std::uint64_t fullRewriteBytes = 0;  // what rewriting after every addition would write
    std::uint64_t fileBytes = 0;

    mining::Engine SelectedEngine() const override { return mining::Engine::Baidu; }
    bool FilterTicked() const override { return false; }
    QString KeyText() const override { return key; }
    QString FolderText() const override { return folder; }
    QString TaobaoMarker() const override {
        return mining::DefaultEngineTable().Of(mining::Engine::Taobao).marker;
    }
    const mining::ResultList& List() const override { return list; }
    void ListAppend(const QString& t) override {
        if (list.size() >= limit || !list.append(t)) return;
        if (list.size() == limit && stop) stop();
        fileBytes += static_cast<std::uint64_t>(QByteArray(encoder.encode(t)).size()) + 2;
        if (list.size() > 1) fullRewriteBytes += fileBytes;
    }
    void ListClear() override { list.clear(); }
    void SetStatus(const QString&) override {}
    void SetStartEnabled(bool) override {}
    void ShowMessage(const QString&) override {}

  private:
    QStringEncoder encoder{"UTF-8"};
};

// Time spent between the end of one fetch and the start of the next: the step's own work.
struct Step {
    int listBefore;
    int listAfter;
    qint64 ns;
};

double CostPerKeyword(const std::vector<Step>& steps, int from, int to) {
    qint64 ns = 0;
    int added = 0;
    for (const Step& s : steps) {
        if (s.listAfter <= from || s.listBefore >= to || s.listAfter == s.listBefore) continue;
        ns += s.ns;
        added += s.listAfter - s.listBefore;
    }
    return added ? double(ns) / added : 0.0;
}

}  // namespace

struct RunFigures {
    int entries = 0;
    int pages = 0;
    double seconds = 0;
    double early = 0;
    double late = 0;
    std::uint64_t written = 0;
    std::uint64_t fullRewriteBytes = 0;
    int syncs = 0;
    QStringList list;
};

RunFigures MineToTheLimit(const QUrl& base, const QString& folder, int limit) {
    BenchView view;
    view.key = QStringLiteral("手机");
    view.folder = folder;
    view.limit = limit;
    web::ModHttp http;

    std::vector<Step> steps;
    QElapsedTimer clock;
    qint64 lastReturn = -1;
    int listAtReturn = 0;
    int pages = 0;
    auto fetch = [&](const QUrl& url) {
        if (lastReturn >= 0)
            steps.push_back({listAtReturn, view.list.size(), clock.nsecsElapsed() - lastReturn});
        ++pages;
        auto page = http.GetPage(url);
        listAtReturn = view.list.size();
        lastReturn = clock.nsecsElapsed();
        return page;
    };
    mining::MiningRun run(
        view, mining::WithHosts(mining::DefaultEngineTable(), {base, base, base}, {}), fetch,
        [&] { http.AbortAll(); }, "UTF-8");
    view.stop = [&] { run.CmdStop_Click(); };
    clock.start();
    run.CmdStart_Click();
    steps.push_back({listAtReturn, view.list.size(), clock.nsecsElapsed() - lastReturn});

    RunFigures f;
    f.seconds = clock.nsecsElapsed() / 1e9;
    f.entries = view.list.size();
    f.pages = pages;
    f.early = CostPerKeyword(steps, 1, f.entries / 10);
    f.late = CostPerKeyword(steps, f.entries - f.entries / 10, f.entries);
    f.written = run.Writer().bytesWritten();
    f.syncs = run.Writer().syncs();
    f.fullRewriteBytes = view.fullRewriteBytes;
    f.list = view.list.entries();
    return f;
}

// Runs without and with a result file, alternating, the fastest of each kept: on a shared machine
// the slow runs measure the neighbours. Prints their figures.
bool Compare(const QUrl& base, const QString& folder, int limit) {
    constexpr int kRounds = 3;
    RunFigures bare;
    RunFigures f;
    for (int round = 0; round < kRounds; ++round) {
        const RunFigures b = MineToTheLimit(base, QString(), limit);
        if (round == 0 || b.seconds < bare.seconds) bare = b;
        // A fresh file each round, written from the first keyword on.
        QFile::remove(QDir(folder).filePath(QStringLiteral("长尾关键词：手机.txt")));
        const RunFigures w = MineToTheLimit(base, folder, limit);
        if (round == 0 || w.seconds < f.seconds) f = w;
    }

    // The peer for the file: one full rewrite of the final list, as the plain design did per
    // addition, against one appended line.
    mining::ResultFileWriter naive("UTF-8");
    QElapsedTimer t;
    t.start();
    mining::ResultList copy;
    for (const QString& e : f.list) copy.append(e);
    naive.Save(QDir(folder).filePath("naive.txt"), copy);
    const double fullRewriteNs = double(t.nsecsElapsed());

    const auto us = [](double ns) { return ns / 1e3; };
    std::printf("entries            %d (limit %d)\n", f.entries, limit);
    std::printf("with folder / without folder  %.2f  (%.2f s / %.2f s; target <= 1.30)\n",
                f.seconds / bare.seconds, f.seconds, bare.seconds);
    std::printf("pages/s            %.0f with the result file, %.0f without (%d pages)\n",
                f.pages / f.seconds, bare.pages / bare.seconds, f.pages);
    std::printf("disk flushes       %d for %d pages\n", f.syncs, f.pages);
    std::printf(
        "cost per keyword   first tenth %.1f us, last tenth %.1f us, ratio last/first %.2f\n",
        us(f.early), us(f.late), f.early > 0 ? f.late / f.early : 0.0);
    std::printf(
        "  without a file   first tenth %.1f us, last tenth %.1f us, ratio last/first %.2f\n",
        us(bare.early), us(bare.late), bare.early > 0 ? bare.late / bare.early : 0.0);
    std::printf("one full rewrite   %.1f us at the end = %.0f x the late cost of an addition\n",
                us(fullRewriteNs), f.late > 0 ? fullRewriteNs / f.late : 0.0);
    std::printf("memory peak        %.1f MiB resident, the whole process so far\n",
                PeakMiB(RUSAGE_SELF));
    std::printf("result file bytes  %llu written, %llu by full rewrites, ratio %.6f\n\n",
                static_cast<unsigned long long>(f.written),
                static_cast<unsigned long long>(f.fullRewriteBytes),
                f.fullRewriteBytes ? double(f.written) / double(f.fullRewriteBytes) : 0.0);
    return f.entries == limit && bare.entries == limit;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<int> limits;
    for (int i = 1; i < argc; ++i) {
        const int n = std::atoi(argv[i]);
        if (n < 2 || n > mining::ResultList::kMaxEntries) {
            std::fprintf(stderr, "bench_mining: list sizes run from 2 to %d\n",
                         mining::ResultList::kMaxEntries);
            return 2;
        }
        limits.push_back(n);
    }
    if (limits.empty()) limits.push_back(mining::ResultList::kMaxEntries);

    QProcess sim;
    sim.start(QStringLiteral(QUELVO_SIM_PATH), {"--fan-out", "8", "--depth", "5"});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_mining: quelvo-sim did not start\n");
        return 1;
    }
    const QUrl base(QString::fromUtf8(sim.readLine().trimmed()));

    bool complete = true;
    for (const int limit : limits) {
        // A fresh folder per size, so no run appends to another's file.
        QTemporaryDir dir;
        complete = Compare(base, dir.path(), limit) && complete;
    }
    sim.kill();
    sim.waitForFinished();
    std::printf("engines' peak      %.1f MiB resident (quelvo-sim)\n", PeakMiB(RUSAGE_CHILDREN));
    return complete ? 0 : 1;
}
