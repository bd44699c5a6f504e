#include "status_fit.h"

#include <QRegularExpression>

namespace {

// A line the window writes, split into a fixed head, the part that may give way, and a fixed
// tail that holds the count.
struct Shape {
    QRegularExpression pattern;
    Qt::TextElideMode elide;
};

}  // namespace

QString FitStatusText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    // Progress: the keyword in the brackets gives way in its middle, which keeps both its ends.
    // The end of a run that missed pages: its list of causes gives way at its end, so the first
    // causes stay readable; the tool tip has them all.
    static const Shape shapes[] = {
        {QRegularExpression(
             QStringLiteral("^(当前正在挖掘 \\[ )(.*)( \\] 相关长尾词\\.{5}已挖掘： \\d+条)$"),
             QRegularExpression::DotMatchesEverythingOption),
         Qt::ElideMiddle},
        {QRegularExpression(
             QStringLiteral("^(挖掘未完成：\\d+个页面未能获取（)(.*)(）。共挖掘长尾词\\d+条)$")),
         Qt::ElideRight},
    };
    for (const Shape& shape : shapes) {
        const QRegularExpressionMatch match = shape.pattern.match(text);
        if (!match.hasMatch()) continue;
        const QString head = match.captured(1);
        const QString tail = match.captured(3);
        const int room = width - metrics.horizontalAdvance(head + tail);
        QString part = metrics.elidedText(match.captured(2), shape.elide, room);
        if (part.isEmpty()) part = QStringLiteral("…");
        return head + part + tail;
    }
    return text;
}
