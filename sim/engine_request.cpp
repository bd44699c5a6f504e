#include "sim/engine_request.h"

namespace sim {

std::optional<QString> FormValue(const QByteArray& encodedQuery, const QByteArray& key) {
    for (const QByteArray& pair : encodedQuery.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        const QByteArray name = equals < 0 ? pair : pair.left(equals);
        if (name != key) continue;
        QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        value.replace('+', ' ');
        return QUrl::fromPercentEncoding(value);
    }
    return std::nullopt;
}

std::optional<EngineRequest> ParseEngineRequest(const QUrl& url) {
    const QString path = url.path();
    const QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
    if (path == QLatin1String("/s")) {
        return EngineRequest{Engine::Baidu, FormValue(query, "wd").value_or(QString()), false, {}};
    }
    if (path == QLatin1String("/search")) {
        const bool chinese = FormValue(query, "hl") == QStringLiteral("zh-CN");
        return EngineRequest{chinese ? Engine::Google : Engine::Taobao,
                             FormValue(query, "q").value_or(QString()),
                             false,
                             {}};
    }
    const struct {
        const char* path;
        Engine engine;
        const char* key;
        const char* charset;
    } suggestions[] = {{"/su", Engine::Baidu, "wd", "ie"},
                       {"/complete/search", Engine::Google, "q", "oe"},
                       {"/sug", Engine::Taobao, "q", "code"}};
    for (const auto& s : suggestions)
        if (path == QLatin1String(s.path))
            return EngineRequest{s.engine, FormValue(query, s.key).value_or(QString()), true,
                                 FormValue(query, s.charset).value_or(QString())};
    return std::nullopt;
}

}  // namespace sim
