#pragma once

#include <QString>
#include <QUrl>

namespace mining {

enum class Engine { Baidu, Google, Taobao };

// Base address (scheme, host, optional port) of each engine's search host.
struct EngineHosts {
    QUrl baidu{QStringLiteral("https://www.baidu.com")};
    QUrl google{QStringLiteral("https://www.google.com")};
    QUrl taobao{QStringLiteral("https://s.taobao.com")};
};

// The engine's name on the command line and in exported lists: "baidu", "google", "taobao".
QString EngineName(Engine engine);

// The path and query that precede the keyword: "/s?wd=", "/search?hl=zh-CN&q=", "/search?q=".
QString SearchPathQuery(Engine engine);
// The text that stands before every related keyword on the engine's page. Taobao's marker lives in
// the window (its hidden text box), so it is passed in rather than fixed here.
QString BaiduMarker();
QString GoogleMarker();
QString DefaultTaobaoMarker();

const QUrl& HostOf(const EngineHosts& hosts, Engine engine);
// The search address for a keyword. The keyword goes on the wire as a percent-encoded UTF-8 query
// value: appended raw, "#", "&", "+" or "%" in it would ask the engine for something else.
QUrl SearchUrl(const EngineHosts& hosts, Engine engine, const QString& keyword);

}  // namespace mining
