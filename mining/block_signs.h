#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include "engine.h"

namespace mining {

// What the engine answered for one keyword, as far as telling a block page apart needs it.
struct EngineAnswer {
    int status = 0;         // 0 when no answer came
    QList<QUrl> redirects;  // where the request was sent on to, in order
    QString page;           // the decoded body; empty when none came
    QString keyword;        // the keyword that was searched
    QString marker;         // the related-search marker the run looks for
};

// True when the answer looks like the engine's verification or block page: the answer an engine
// gives a client it takes for a robot.
bool LooksBlocked(Engine engine, const EngineAnswer& answer);

}  // namespace mining
