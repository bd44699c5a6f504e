#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "sim/sim_server.h"

// Runs `action` inside the client's wait, as soon as the request for `keyword` reaches the server:
// what a user's click during a fetch does. The connection ends with `context`.
inline void OnRequest(sim::SimServer& server, const QObject* context, const QString& keyword,
                      std::function<void()> action) {
    QObject::connect(&server, &sim::SimServer::engineRequestReceived, context,
                     [keyword, action](sim::Engine, const QString& k) {
                         if (k == keyword) action();
                     });
}
