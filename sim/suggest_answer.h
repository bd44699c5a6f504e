#pragma once

#include "sim/reply.h"
#include "sim/sim_types.h"

#include <QString>
#include <QStringList>

namespace sim {

// An engine's answer to its search box: Baidu and Google in the opensearch shape
// ["query", ["s1", "s2", ...]], Taobao as {"result": [["s1", "n"], ...]}. A request that names
// its charset ("utf-8" or "gbk") gets the answer in it, declared in the Content-Type; otherwise
// the answer is in `fallback` and the Content-Type names no charset, so the client has to judge
// the bytes.
Reply SuggestAnswer(Engine engine, const QString& query, const QStringList& suggestions,
                    const QString& requestedCharset, BodyCharset fallback);

}  // namespace sim
