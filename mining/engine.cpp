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

}  // namespace mining
