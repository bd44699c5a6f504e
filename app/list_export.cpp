#include "list_export.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString ParentOf(const QList<TreeEntry>& tree, const TreeEntry& entry) {
    return entry.parent >= 0 ? tree.value(entry.parent).keyword : QString();
}

QString EngineOf(const TreeEntry& entry) {
    return entry.engine ? mining::EngineName(*entry.engine) : QString();
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
    QString out = QStringLiteral("position,keyword,depth,parent,engine\r\n");
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const TreeEntry& e = tree.at(i);
        out += QString::number(i) + u',' + CsvField(e.keyword) + u',' + QString::number(e.depth) +
               u',' + CsvField(ParentOf(tree, e)) + u',' + EngineOf(e) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QByteArray Json(const QList<TreeEntry>& tree) {
    QJsonArray array;
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const TreeEntry& e = tree.at(i);
        array.append(QJsonObject{{QStringLiteral("position"), static_cast<int>(i)},
                                 {QStringLiteral("keyword"), e.keyword},
                                 {QStringLiteral("depth"), e.depth},
                                 {QStringLiteral("parent"), ParentOf(tree, e)},
                                 {QStringLiteral("engine"), EngineOf(e)}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

}  // namespace

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
