#pragma once

#include <QFontMetrics>
#include <QString>

// The status line as it fits a label `width` pixels wide. A progress line too long for it has the
// keyword inside its brackets shortened in the middle, the end line of a run that missed pages its
// list of causes shortened at the end, so that the count at the end always shows whole; any other
// text, and a line that fits, comes back unchanged.
QString FitStatusText(const QString& text, const QFontMetrics& metrics, int width);
