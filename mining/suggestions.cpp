#include "suggestions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "candidates.h"

namespace mining {

namespace {

// The texts of `items`, each taken by `text`; nothing when one of them holds none.
template <typename TextOf>
std::optional<QStringList> Texts(const QJsonArray& items, TextOf text) {
    QStringList out;
    for (const QJsonValue& item : items) {
        const QJsonValue value = text(item);
        if (!value.isString()) return std::nullopt;
        out.append(value.toString());
    }
    return out;
}

}  // namespace

std::optional<QStringList> ParseSuggestions(const QString& answer, SuggestFormat format) {
    const QJsonDocument doc = QJsonDocument::fromJson(answer.toUtf8());
    switch (format) {
        case SuggestFormat::OpenSearch: {
            const QJsonArray top = doc.array();
            if (!doc.isArray() || top.size() < 2 || !top.at(1).isArray()) return std::nullopt;
            return Texts(top.at(1).toArray(), [](const QJsonValue& v) { return v; });
        }
        case SuggestFormat::Taobao: {
            const QJsonValue result = doc.object().value(u"result");
            if (!doc.isObject() || !result.isArray()) return std::nullopt;
            return Texts(result.toArray(), [](const QJsonValue& v) { return v.toArray().at(0); });
        }
    }
    return std::nullopt;
}

std::optional<QStringList> OfferedKeywords(const QString& answer, Source source,
                                           const QString& marker, SuggestFormat format) {
    if (source == Source::Suggest) return ParseSuggestions(answer, format);
    return CutCandidates(answer, marker);
}

}  // namespace mining
