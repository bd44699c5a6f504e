#pragma once

#include <QFontMetrics>
#include <QString>

// The status line as it fits a label `width` pixels wide. A progress line too long for it has the
// keyword inside its brackets shortened in the middle, so that the count at its end always shows
// whole; any other text, and a line that fits, comes back unchanged.
QString FitStatusText(const QString& text, const QFontMetrics& metrics, int width);
