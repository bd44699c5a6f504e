#pragma once

#include <QString>
#include <QUrl>

#include "mining/engine.h"
#include "mining/engine_table.h"

#ifndef QUELVO_VENDOR_HOST
#define QUELVO_VENDOR_HOST "https://quelvo.example"
#endif

// Where the program's requests go. Fixed in the build, overridable on the command line.
struct AppConfig {
    // Replace the base address of the engines' related-search addresses, and of their
    // suggestion addresses (only the demo does that).
    mining::EngineHosts hosts;
    mining::EngineHosts suggestHosts;
    // The engines file of this run; empty means the user's, when there is one.
    QString enginesFile;
    QUrl vendor{QStringLiteral(QUELVO_VENDOR_HOST)};
    // The skin file; empty means the one beside the executable.
    QString skinPath;
};

// Hosts named on the command line, as opposed to the built-in ones.
struct HostsGiven {
    bool baidu = false;
    bool google = false;
    bool taobao = false;
    bool vendor = false;
};

// The engine table of this run: the engines file over the defaults, then the host options.
inline mining::TableRead EnginesInEffect(const AppConfig& config) {
    mining::TableRead read = mining::LoadEngineTable(config.enginesFile);
    read.table = mining::WithHosts(std::move(read.table), config.hosts, config.suggestHosts);
    return read;
}

// The vendor base address joined with a path and query such as "/api/update/KeyWords.txt".
inline QUrl VendorUrl(const QUrl& vendor, const QString& pathAndQuery) {
    QString base = vendor.toString(QUrl::StripTrailingSlash);
    while (base.endsWith(u'/')) base.chop(1);
    return QUrl(base + pathAndQuery);
}
