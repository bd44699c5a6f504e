#include "sim/keyword_graph.h"

#include <QSet>

#include <gtest/gtest.h>

#include <tuple>

#include "support/breadth_first.h"

namespace {

using sim::EngineOptions;
using sim::RelatedKeywords;

// How many keywords a client lists from the graph, reading pages as it does: entities stay
// undecoded, so "R&D" comes back as "R&amp;D". Pages past `limit` offer nothing, so an unbounded
// graph fails the test instead of hanging it.
qsizetype Reachable(const QString& root, const EngineOptions& options, qsizetype limit,
                    sim::Engine engine = sim::Engine::Baidu) {
    qsizetype pages = 0;
    const auto offers = [&](const QString& keyword) -> std::optional<QStringList> {
        QStringList seen;
        if (++pages <= limit)
            for (const QString& related : RelatedKeywords(keyword, options, engine))
                seen << related.toHtmlEscaped();
        return seen;
    };
    return BreadthFirst(root, offers).size();
}

TEST(KeywordGraph, ReachableKeywordsAreExactlyTheTree) {
    const std::tuple<const char*, int, int> shapes[] = {
        {"手机", 0, 3},   {"手机", 1, 4},  {"手机", 3, 0}, {"手机", 6, 3},
        {"手机", 2, 7},   {"手机", 16, 2}, {"手机", 8, 5},  // past the 32767-entry list cap
        {"R&D <a>", 2, 2}};
    for (const auto& [root, fanOut, depth] : shapes) {
        qsizetype tree = 0;
        for (qsizetype d = 0, level = 1; d <= depth; ++d, level *= fanOut) tree += level;
        const EngineOptions options{.fanOut = fanOut, .depth = depth};
        EXPECT_EQ(Reachable(QString::fromUtf8(root), options, tree), tree)
            << root << " fanOut " << fanOut << " depth " << depth;
    }
}

// The demo's engines answer a root in part alike, in part not, and beside its children offer two
// searches that do not contain it; each engine's graph is still finite: its trees, one per root.
TEST(KeywordGraph, VariedEnginesDifferInPartAndOfferSearchesWithoutTheRoot) {
    const EngineOptions options{.fanOut = 6, .depth = 2, .varied = true};
    const QString root = QStringLiteral("手机");
    QList<QSet<QString>> answers;
    for (const auto engine : {sim::Engine::Baidu, sim::Engine::Google, sim::Engine::Taobao}) {
        const QStringList related = RelatedKeywords(root, options, engine);
        answers << QSet<QString>(related.begin(), related.end());
        EXPECT_EQ(related.filter(root).size(), related.size() - 2);
        EXPECT_EQ(Reachable(root, options, 1000, engine), 3 * (1 + 6 + 36));
    }
    // In common: three children, a search without the root, and the root itself (pages repeat it).
    EXPECT_EQ((answers[0] & answers[1]).size(), 5);
    EXPECT_EQ((answers[1] & answers[2]).size(), 5);
}

}  // namespace
