// Cutting candidates out of a page against one plain scan of the same page for the marker
// (QString::count), at several sizes: the ratio staying flat as the page grows shows cutting is
// linear in the page. Two shapes: ordinary related searches, and markers with no ">" after them
// (a hostile page, once quadratic).
// Usage: bench_cut [MARKERS...]   markers per page (default 10000 100000 1000000)
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "mining/candidates.h"

namespace {

double BestMs(const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    QList<int> sizes;
    for (int i = 1; i < argc; ++i) sizes << std::atoi(argv[i]);
    if (sizes.isEmpty()) sizes = {10000, 100000, 1000000};
    const QString marker = QStringLiteral("<a href=");
    std::printf("%-10s %-10s %12s %12s %8s\n", "shape", "markers", "cut ms", "count ms", "ratio");
    for (const bool hostile : {false, true}) {
        for (const int n : sizes) {
            const QString piece = hostile ? marker + QStringLiteral("\"x\" ")
                                          : marker + QStringLiteral("\"/s?wd=k\">相关搜索</a> ");
            const QString page = piece.repeated(n);
            qsizetype cut = 0;
            qsizetype counted = 0;
            const double cutMs = BestMs([&] { cut = mining::CutCandidates(page, marker).size(); });
            const double countMs = BestMs([&] { counted = page.count(marker); });
            std::printf("%-10s %-10d %12.2f %12.2f %8.2f\n", hostile ? "no '>'" : "ordinary", n,
                        cutMs, countMs, cutMs / countMs);
            if (counted != n || cut != (hostile ? 0 : n)) return 1;
        }
    }
    return 0;
}
