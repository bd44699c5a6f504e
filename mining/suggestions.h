#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "engine_table.h"

namespace mining {

// The suggestions of an answer in the named format, in answer order; nothing when the answer is
// not in that format (a block page, an error page, a changed format).
std::optional<QStringList> ParseSuggestions(const QString& answer, SuggestFormat format);

// The keywords an answer of the source offers: the related searches cut from a page at `marker`,
// or the suggestions of an answer in `format`.
std::optional<QStringList> OfferedKeywords(const QString& answer, Source source,
                                           const QString& marker, SuggestFormat format);

}  // namespace mining
