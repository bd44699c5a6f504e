#include "sim/keyword_graph.h"

#include <QSet>

#include <gtest/gtest.h>

#include <deque>

namespace {

using sim::EngineOptions;
using sim::RelatedKeywords;

// Breadth-first over what pages offer, read the way the client reads them: entities stay
// undecoded, so "R&D" comes back as "R&amp;D". The walk stops once it has found more than
// `limit`, so an unbounded graph fails the test instead of hanging it.
qsizetype Reachable(const QString& root, const EngineOptions& options, qsizetype limit,
                    sim::Engine engine = sim::Engine::Baidu) {
    QSet<QString> known{root};
    std::deque<QString> queue{root};
    while (!queue.empty() && known.size() <= limit) {
        for (const QString& related : RelatedKeywords(queue.front(), options, engine)) {
            const QString seen = related.toHtmlEscaped();
            if (known.contains(seen)) continue;
            known.insert(seen);
            queue.push_back(seen);
        }
        queue.pop_front();
    }
    return known.size();
}

TEST(KeywordGraph, ReachableKeywordsAreExactlyTheTree) {
    const struct {
        const char* root;
        int fanOut, depth;
    } shapes[] = {
        {"手机", 0, 3},   {"手机", 1, 4},  {"手机", 3, 0}, {"手机", 6, 3},
        {"手机", 2, 7},   {"手机", 16, 2}, {"手机", 8, 5},  // past the 32767-entry list cap
        {"R&D <a>", 2, 2}};
    for (const auto& shape : shapes) {
        const EngineOptions options{.fanOut = shape.fanOut, .depth = shape.depth};
        qsizetype tree = 0;
        for (qsizetype d = 0, level = 1; d <= shape.depth; ++d, level *= shape.fanOut)
            tree += level;
        EXPECT_EQ(Reachable(QString::fromUtf8(shape.root), options, tree), tree)
            << shape.root << " fanOut " << shape.fanOut << " depth " << shape.depth;
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
