#pragma once

#include "sim/sim_types.h"

#include <QString>
#include <QStringList>

namespace sim {

// More fan-out than this is clamped. A keyword never repeats a modifier, so the vocabulary is
// larger: with fanOut + depth <= kVocabularySize every page offers its full fan-out.
inline constexpr int kMaxFanOut = 16;
inline constexpr int kVocabularySize = 24;

// How many modifiers the query carries after its root, i.e. its depth in the keyword tree.
int KeywordLevel(const QString& query, int fanOut);

// The related searches an engine page offers for the query, in page order, unescaped. The
// children (query + " " + modifier) are the only new keywords; the query itself and, below the
// root, its parent and a sibling are repeated so that a client's duplicate test has work to do.
// With options.varied, each engine starts its modifiers elsewhere in the vocabulary and offers a
// root two searches that do not contain it; otherwise every engine answers alike.
QStringList RelatedKeywords(const QString& query, const EngineOptions& options,
                            Engine engine = Engine::Baidu);

}  // namespace sim
