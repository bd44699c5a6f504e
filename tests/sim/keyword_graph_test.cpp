#include "sim/keyword_graph.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

using sim::EngineOptions;
using sim::RelatedKeywords;

// Breadth-first over what pages offer, the way a mining run walks them; `seen` maps a related
// keyword to the text the client actually reads off the page. The walk stops once it has found
// more than `limit`, so an unbounded graph fails the test instead of hanging it.
qsizetype Reachable(const QString& root, const EngineOptions& options, qsizetype limit,
                    const std::function<QString(const QString&)>& seen = {}) {
    QSet<QString> known{root};
    std::deque<QString> queue{root};
    while (!queue.empty() && known.size() <= limit) {
        const QString keyword = queue.front();
        queue.pop_front();
        for (const QString& related : RelatedKeywords(keyword, options)) {
            const QString text = seen ? seen(related) : related;
            if (known.contains(text)) continue;
            known.insert(text);
            queue.push_back(text);
        }
    }
    return known.size();
}

qsizetype TreeSize(int fanOut, int depth) {
    qsizetype total = 0;
    qsizetype level = 1;
    for (int d = 0; d <= depth; ++d, level *= fanOut) total += level;
    return total;
}

TEST(KeywordGraph, ReachableKeywordsAreExactlyTheTree) {
    const struct {
        int fanOut, depth;
    } shapes[] = {{0, 3}, {1, 4}, {3, 0}, {3, 3}, {6, 3}, {2, 7}, {16, 2}, {8, 5}};
    for (const auto& shape : shapes) {
        EngineOptions options;
        options.fanOut = shape.fanOut;
        options.depth = shape.depth;
        const qsizetype tree = TreeSize(shape.fanOut, shape.depth);
        EXPECT_EQ(Reachable(QStringLiteral("手机"), options, tree), tree)
            << "fanOut " << shape.fanOut << " depth " << shape.depth;
    }
    // The benchmark relies on a run from one root passing the client's 32767-entry cap.
    EXPECT_GT(TreeSize(8, 5), 32767);
}

TEST(KeywordGraph, PagesRepeatKnownKeywordsAndStopAtTheDepth) {
    EngineOptions options;
    options.fanOut = 3;
    options.depth = 2;
    const QStringList root = RelatedKeywords(QStringLiteral("手机"), options);
    EXPECT_EQ(root, (QStringList{QStringLiteral("手机 价格"), QStringLiteral("手机"),
                                 QStringLiteral("手机 推荐"), QStringLiteral("手机 排行榜")}));

    // A child never carries the same modifier twice.
    const QStringList child = RelatedKeywords(QStringLiteral("手机 推荐"), options);
    EXPECT_TRUE(child.contains(QStringLiteral("手机 推荐 价格")));
    EXPECT_TRUE(child.contains(QStringLiteral("手机 推荐 怎么样")));
    EXPECT_FALSE(child.contains(QStringLiteral("手机 推荐 推荐")));

    // At the depth limit: itself, a sibling and the parent, all already offered earlier.
    EXPECT_EQ(RelatedKeywords(QStringLiteral("手机 推荐 价格"), options),
              (QStringList{QStringLiteral("手机 推荐 价格"), QStringLiteral("手机 推荐 排行榜"),
                           QStringLiteral("手机 推荐")}));
}

TEST(KeywordGraph, OnlyGeneratedModifiersCountAsLevels) {
    EXPECT_EQ(sim::KeywordLevel(QStringLiteral("手机"), 6), 0);
    EXPECT_EQ(sim::KeywordLevel(QStringLiteral("手机 推荐 价格"), 6), 2);
    // 维修 is a modifier, but not one a fan-out of 6 hands out: the user typed it.
    EXPECT_EQ(sim::KeywordLevel(QStringLiteral("汽车 维修"), 6), 0);
    EXPECT_EQ(sim::KeywordLevel(QStringLiteral("汽车 维修 价格"), 6), 1);
    // A repeated modifier is never generated, so only the part after it is.
    EXPECT_EQ(sim::KeywordLevel(QStringLiteral("手机 价格 价格"), 6), 1);
    EXPECT_EQ(sim::KeywordLevel(QStringLiteral("手机价格"), 6), 0);
}

TEST(KeywordGraph, StaysBoundedWhenPagesEscapeTheKeyword) {
    // The client keeps entities undecoded, so it reads "&amp;" where the engine meant "&".
    EngineOptions options;
    options.fanOut = 2;
    options.depth = 2;
    const auto escaped = [](const QString& keyword) { return keyword.toHtmlEscaped(); };
    EXPECT_EQ(Reachable(QStringLiteral("R&D <a>"), options, TreeSize(2, 2), escaped),
              TreeSize(2, 2));
}

}  // namespace
