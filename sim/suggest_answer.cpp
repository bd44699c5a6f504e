#include "sim/suggest_answer.h"

#include "sim/body_charset.h"
#include "sim/page_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace sim {

Reply SuggestAnswer(Engine engine, const QString& query, const QStringList& suggestions,
                    const QString& requestedCharset, BodyCharset fallback) {
    QJsonDocument doc;
    if (engine == Engine::Taobao) {
        QJsonArray result;
        for (const QString& s : suggestions)
            result.append(QJsonArray{s, QString::number(StableNumber(s) % 100000)});
        doc.setObject(QJsonObject{{QStringLiteral("result"), result}});
    } else {
        doc.setArray(QJsonArray{query, QJsonArray::fromStringList(suggestions)});
    }
    // The JSON writer escapes nothing beyond what JSON needs, so the text holds the keywords as
    // they are and the charset matters.
    const QString text = QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
    const QString named = requestedCharset.toLower();
    QByteArray contentType = QByteArrayLiteral("application/json");
    BodyCharset charset = fallback;
    if (named == u"utf-8" || named == u"gbk") {
        charset = named == u"gbk" ? BodyCharset::Gbk : BodyCharset::Utf8;
        contentType += "; charset=" + CharsetLabel(charset);
    }
    return {200, contentType, EncodeBody(text, charset), {}};
}

}  // namespace sim
