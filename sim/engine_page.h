#pragma once

#include "sim/sim_types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sim {

// A result page in the engine's own shape: the query echoed in the title and the search box, a
// few result items, and each related keyword behind the engine's marker. charsetLabel goes into
// the page's meta tag and must match the bytes the page is finally encoded to.
QString EnginePage(Engine engine, const QString& query, const QStringList& related,
                   const QByteArray& charsetLabel);

QString BaiduPage(const QString& query, const QStringList& related, const QByteArray& charsetLabel);
QString GooglePage(const QString& query, const QStringList& related,
                   const QByteArray& charsetLabel);
QString TaobaoPage(const QString& query, const QStringList& related,
                   const QByteArray& charsetLabel);

}  // namespace sim
