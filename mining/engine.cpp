#include "engine.h"

namespace mining {

QString EngineName(Engine engine) {
    switch (engine) {
        case Engine::Google:
            return QStringLiteral("google");
        case Engine::Taobao:
            return QStringLiteral("taobao");
        case Engine::Baidu:
            break;
    }
    return QStringLiteral("baidu");
}

QString SearchPathQuery(Engine engine) {
    switch (engine) {
        case Engine::Baidu:
            return QStringLiteral("/s?wd=");
        case Engine::Google:
            return QStringLiteral("/search?hl=zh-CN&q=");
        case Engine::Taobao:
            return QStringLiteral("/search?q=");
    }
    return {};
}

QString BaiduMarker() { return QStringLiteral("<th><a href="); }
QString GoogleMarker() { return QStringLiteral("<p><a href="); }
QString DefaultTaobaoMarker() { return QStringLiteral("<li><a trace=\"relatedSearch\" href="); }

const QUrl& HostOf(const EngineHosts& hosts, Engine engine) {
    switch (engine) {
        case Engine::Google:
            return hosts.google;
        case Engine::Taobao:
            return hosts.taobao;
        case Engine::Baidu:
            break;
    }
    return hosts.baidu;
}

QUrl SearchUrl(const EngineHosts& hosts, Engine engine, const QString& keyword) {
    QByteArray base = HostOf(hosts, engine).toEncoded(QUrl::StripTrailingSlash);
    while (base.endsWith('/')) base.chop(1);
    const QByteArray address =
        base + SearchPathQuery(engine).toUtf8() + QUrl::toPercentEncoding(keyword);
    return QUrl::fromEncoded(address, QUrl::StrictMode);
}

}  // namespace mining
