#pragma once

#include <memory>

#include "app/app_config.h"
#include "sim/sim_server.h"

// Starts the loopback stand-ins for the engines and the vendor service and points every host of
// the configuration at them. Nothing when the server cannot listen.
inline std::unique_ptr<sim::SimServer> StartDemoServer(AppConfig& config) {
    auto server = std::make_unique<sim::SimServer>();
    if (!server->listen(0)) return nullptr;
    const QUrl base = server->baseUrl();
    config.hosts.baidu = config.hosts.google = config.hosts.taobao = base;
    config.vendor = base;
    return server;
}
