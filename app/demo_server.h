#pragma once

#include <memory>
#include <utility>

#include "app/app_config.h"
#include "sim/sim_server.h"

// Starts the loopback stand-ins for the engines and the vendor service and points every host of
// the configuration at them, except those named on the command line: a demo may run against a
// real vendor or engine. Suggestions always come from the stand-ins. Nothing when the server cannot
// listen.
inline std::unique_ptr<sim::SimServer> StartDemoServer(AppConfig& config,
                                                       const HostsGiven& given = {}) {
    auto server = std::make_unique<sim::SimServer>();
    sim::EngineOptions options = server->engineOptions();
    options.varied = true;  // the engines differ, so the choices visibly change the list
    server->setEngineOptions(options);
    if (!server->listen(0)) return nullptr;
    const QUrl base = server->baseUrl();
    for (auto [host, named] : {std::pair{&config.hosts.baidu, given.baidu},
                               {&config.hosts.google, given.google},
                               {&config.hosts.taobao, given.taobao},
                               {&config.vendor, given.vendor}})
        if (!named) *host = base;
    config.suggestHosts = {base, base, base};
    return server;
}
