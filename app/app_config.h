#pragma once

#include <QString>
#include <QUrl>

#include "mining/engine.h"

#ifndef QUELVO_VENDOR_HOST
#define QUELVO_VENDOR_HOST "https://quelvo.example"
#endif

// Where the program's requests go. Fixed in the build, overridable on the command line.
struct AppConfig {
    mining::EngineHosts hosts;
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

// The vendor base address joined with a path and query such as "/api/update/KeyWords.txt".
inline QUrl VendorUrl(const QUrl& vendor, const QString& pathAndQuery) {
    QString base = vendor.toString(QUrl::StripTrailingSlash);
    while (base.endsWith(u'/')) base.chop(1);
    return QUrl(base + pathAndQuery);
}
