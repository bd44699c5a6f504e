#include "sim/keyword_graph.h"

#include <QList>
#include <QStringView>

#include <algorithm>
#include <array>

namespace sim {
namespace {

// The first words are the ones real long-tail lists are full of, so small fan-outs look natural.
constexpr std::array<const char16_t*, kVocabularySize> kModifiers = {
    u"价格", u"推荐", u"排行榜", u"怎么样", u"哪个好", u"图片",   u"官网", u"二手",
    u"维修", u"批发", u"多少钱", u"品牌",   u"评测",   u"报价",   u"新款", u"团购",
    u"配件", u"参数", u"专卖店", u"说明书", u"厂家",   u"优惠券", u"正品", u"安装",
};

QStringView Modifier(int index) { return QStringView(kModifiers[static_cast<size_t>(index)]); }

int ModifierIndex(QStringView word) {
    for (int i = 0; i < kVocabularySize; ++i) {
        if (word == Modifier(i)) return i;
    }
    return -1;
}

// The modifiers a keyword's children get: the first fanOut words it does not carry yet, counted
// from the engine's first word, so engines that start apart offer partly different ones.
QList<int> Offered(const QList<int>& carried, int fanOut, int first = 0) {
    QList<int> offered;
    for (int n = 0; n < kVocabularySize && offered.size() < fanOut; ++n) {
        const int i = (first + n) % kVocabularySize;
        if (!carried.contains(i)) offered << i;
    }
    return offered;
}

// A generated keyword is its root followed by " modifier" once per level, each modifier one that
// its prefix offered. Reading that back: of the vocabulary words at the end of the query, the
// longest run that obeys the rule is the generated part. A child's run is its parent's plus one
// word, so levels never disagree between a page and the pages it links to.
struct ParsedKeyword {
    QList<int> modifiers;  // the generated part, outermost first; its size is the level
    QStringView parent;    // the query without its last modifier (valid when level > 0)
};

bool ObeysRule(const QList<int>& modifiers, int fanOut, int first) {
    for (qsizetype i = 0; i < modifiers.size(); ++i) {
        if (!Offered(modifiers.first(i), fanOut, first).contains(modifiers[i])) return false;
    }
    return true;
}

ParsedKeyword Parse(QStringView query, int fanOut, int first = 0) {
    QList<int> trailing;
    QList<qsizetype> spaces;
    QStringView rest = query;
    // No valid run repeats a word, so it is never longer than the vocabulary.
    while (trailing.size() < kVocabularySize) {
        const qsizetype space = rest.lastIndexOf(u' ');
        if (space < 0) break;
        const int index = ModifierIndex(rest.mid(space + 1));
        if (index < 0) break;
        trailing.prepend(index);
        spaces.prepend(space);
        rest = rest.left(space);
    }
    ParsedKeyword parsed;
    for (qsizetype start = 0; start < trailing.size(); ++start) {
        const QList<int> run = trailing.mid(start);
        if (ObeysRule(run, fanOut, first)) {
            parsed.modifiers = run;
            parsed.parent = query.left(spaces.last());
            break;
        }
    }
    return parsed;
}

QString Extend(QStringView keyword, int modifier) {
    QString extended = keyword.toString();
    extended += u' ';
    extended += Modifier(modifier);
    return extended;
}

// A page shows keywords HTML-escaped and the client keeps entities as they are, so a repeat
// that escaping would change reaches the client as a brand-new keyword and the graph would never
// close. Such repeats are left out.
bool SurvivesEscaping(const QString& keyword) { return keyword.toHtmlEscaped() == keyword; }

// Varied engines: where each starts in the vocabulary, and the searches it offers beside a root's
// children that do not contain the root. Those are roots of their own, so the graph stays finite.
struct EngineVariety {
    int first;
    const char16_t* neighbours[2];
};
EngineVariety VarietyOf(Engine engine) {
    switch (engine) {
        case Engine::Google:
            return {3, {u"十大品牌", u"评测对比"}};
        case Engine::Taobao:
            return {6, {u"包邮特价", u"评测对比"}};
        case Engine::Baidu:
            break;
    }
    return {0, {u"热门排行", u"十大品牌"}};
}

}  // namespace

int KeywordLevel(const QString& query, int fanOut) {
    return static_cast<int>(Parse(query, std::clamp(fanOut, 0, kMaxFanOut)).modifiers.size());
}

QStringList RelatedKeywords(const QString& query, const EngineOptions& options, Engine engine) {
    const int fanOut = std::clamp(options.fanOut, 0, kMaxFanOut);
    const EngineVariety variety = options.varied ? VarietyOf(engine) : EngineVariety{0, {}};
    const ParsedKeyword parsed = Parse(query, fanOut, variety.first);
    const auto level = parsed.modifiers.size();

    QStringList related;
    if (level < options.depth) {
        for (const int modifier : Offered(parsed.modifiers, fanOut, variety.first)) {
            related << Extend(query, modifier);
        }
        for (const char16_t* neighbour : variety.neighbours) {
            if (neighbour && level == 0 && query != QStringView(neighbour))
                related << QString::fromUtf16(neighbour);
        }
    }

    QStringList repeats{query};
    if (level > 0) {
        const QList<int> siblings =
            Offered(parsed.modifiers.first(level - 1), fanOut, variety.first);
        if (siblings.size() > 1) {
            const auto self = siblings.indexOf(parsed.modifiers.last());
            repeats << Extend(parsed.parent, siblings[(self + 1) % siblings.size()]);
        }
        repeats << parsed.parent.toString();
    }
    // The query goes second, among the new keywords, rather than where a client might skip it.
    for (const QString& repeat : repeats) {
        if (!SurvivesEscaping(repeat)) continue;
        related.insert(repeat == query ? std::min<qsizetype>(1, related.size()) : related.size(),
                       repeat);
    }
    return related;
}

}  // namespace sim
