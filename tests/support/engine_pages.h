#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A search page in Baidu's shape offering these related keywords.
inline QByteArray BaiduPage(const QStringList& keywords) {
    QString page = QStringLiteral("<html><body><table>");
    for (const QString& k : keywords) page += "<th><a href=\"/s?wd=x\">" + k + "</a></th>";
    return (page + "</table></body></html>").toUtf8();
}
