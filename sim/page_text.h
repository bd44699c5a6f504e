#pragma once

#include <QString>

namespace sim {

// Text for HTML: keywords are shown escaped, the way a real engine shows them.
inline QString Html(const QString& text) { return text.toHtmlEscaped(); }

// A keyword as a query value inside an href. Everything but unreserved characters is
// percent-encoded, so the href can never hold the '>' or '<' a client cuts keywords at.
QString QueryValue(const QString& keyword);

// A small number that stays the same for the same query, so pages differ per keyword but never
// between runs (qHash is seeded per process and would not).
unsigned StableNumber(const QString& text);

}  // namespace sim
