#pragma once

#include "sim/sim_types.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace sim {

struct EngineRequest {
    Engine engine;
    QString keyword;
    bool suggest = false;  // for the engine's search-box suggestions rather than its page
    QString charset;       // a suggestion request's charset parameter; empty when none
};

// Which engine a request is for, by its path: "/s" is Baidu (keyword in wd); "/search" is Google
// when the query carries hl=zh-CN and Taobao otherwise (keyword in q). Suggestions: "/su" is
// Baidu's (wd, charset in ie), "/complete/search" Google's (q, charset in oe), "/sug" Taobao's
// (q, charset in code). Anything else is not an engine request.
std::optional<EngineRequest> ParseEngineRequest(const QUrl& url);

// The first value of key in an encoded query, decoded the way a search form is: '+' is a blank,
// %XX are UTF-8 bytes. A client that forgets to encode '+' gets a blank, as from a real engine.
std::optional<QString> FormValue(const QByteArray& encodedQuery, const QByteArray& key);

}  // namespace sim
