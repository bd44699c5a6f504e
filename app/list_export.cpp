#include "list_export.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString ParentOf(const QList<TreeEntry>& tree, const TreeEntry& entry) {
    return entry.parent >= 0 ? tree.value(entry.parent).keyword : QString();
}

QString EngineOf(const TreeEntry& entry) {
    return entry.engine ? mining::EngineName(*entry.engine) : QString();
}

QString SourceOf(const TreeEntry& entry) {
    return entry.engine ? mining::SourceName(entry.source) : QString();
}

// Quoted only when it must be, with inner quotes doubled.
QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray Csv(const QList<TreeEntry>& tree) {
    QString out = QStringLiteral("position,keyword,depth,parent,engine,source\r\n");
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const TreeEntry& e = tree.at(i);
        out += QString::number(i) + u',' + CsvField(e.keyword) + u',' + QString::number(e.depth) +
               u',' + CsvField(ParentOf(tree, e)) + u',' + EngineOf(e) + u',' + SourceOf(e) +
               QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

// Written by hand, because a JSON object of Qt's sorts its keys: each entry's keys come in the
// order the CSV's columns have.
QByteArray Json(const QList<TreeEntry>& tree) {
    QString out = QStringLiteral("[");
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const TreeEntry& e = tree.at(i);
        out += (i == 0 ? QStringLiteral("\n") : QStringLiteral(",\n")) +
               QStringLiteral(
                   "    {\"position\": %1, \"keyword\": %2, \"depth\": %3, "
                   "\"parent\": %4, \"engine\": %5, \"source\": %6}")
                   .arg(QString::number(i), JsonString(e.keyword), QString::number(e.depth),
                        JsonString(ParentOf(tree, e)), JsonString(EngineOf(e)),
                        JsonString(SourceOf(e)));
    }
    return (out + QStringLiteral("\n]\n")).toUtf8();
}

}  // namespace

QString JsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QByteArray ExportList(const QList<TreeEntry>& tree, CommandLine::Format format) {
    switch (format) {
        case CommandLine::Format::Csv:
            return Csv(tree);
        case CommandLine::Format::Json:
            return Json(tree);
        case CommandLine::Format::Text:
            break;
    }
    QByteArray text;
    for (const TreeEntry& e : tree) text += e.keyword.toUtf8() + '\n';
    return text;
}
