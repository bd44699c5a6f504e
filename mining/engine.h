#pragma once

#include <QString>
#include <QUrl>

namespace mining {

enum class Engine { Baidu, Google, Taobao };
inline constexpr Engine kEngines[] = {Engine::Baidu, Engine::Google, Engine::Taobao};

// Replacement base addresses (scheme, host, optional port) for the engines' request addresses;
// an empty one keeps the address the engine table gives.
struct EngineHosts {
    QUrl baidu;
    QUrl google;
    QUrl taobao;
};

// The engine's name on the command line, in the engines file and in exported lists: "baidu",
// "google", "taobao".
QString EngineName(Engine engine);

const QUrl& HostOf(const EngineHosts& hosts, Engine engine);

}  // namespace mining
