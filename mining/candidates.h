#pragma once

#include <QString>
#include <QStringList>

namespace mining {

// The related keywords of a page: for every occurrence of the marker, the text after the first ">"
// that follows it, up to the next "<" or ">". The text before the first marker is not a chunk.
QStringList CutCandidates(const QString& page, const QString& marker);

// The result filter: with the box ticked a candidate must hold the keyword box's text as it stands.
bool PassesFilter(const QString& candidate, bool filterTicked, const QString& keyText);

// Removes the space character (only that) from both ends.
QString TrimBlanks(const QString& text);

}  // namespace mining
