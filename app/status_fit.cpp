#include "status_fit.h"

#include <QRegularExpression>

QString FitStatusText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    // The keyword is everything between the fixed head and the fixed tail, brackets included.
    static const QRegularExpression progress(
        QStringLiteral("^(当前正在挖掘 \\[ )(.*)( \\] 相关长尾词\\.{5}已挖掘： \\d+条)$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = progress.match(text);
    if (!match.hasMatch()) return text;
    const QString head = match.captured(1);
    const QString tail = match.captured(3);
    const int room = width - metrics.horizontalAdvance(head + tail);
    QString keyword = metrics.elidedText(match.captured(2), Qt::ElideMiddle, room);
    if (keyword.isEmpty()) keyword = QStringLiteral("…");
    return head + keyword + tail;
}
