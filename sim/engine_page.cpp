#include "sim/engine_page.h"

namespace sim {

QString EnginePage(Engine engine, const QString& query, const QStringList& related,
                   const QByteArray& charsetLabel) {
    switch (engine) {
        case Engine::Baidu:
            return BaiduPage(query, related, charsetLabel);
        case Engine::Google:
            return GooglePage(query, related, charsetLabel);
        case Engine::Taobao:
            return TaobaoPage(query, related, charsetLabel);
    }
    return {};
}

}  // namespace sim
