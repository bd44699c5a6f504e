#pragma once

#include "sim/sim_types.h"

#include <QByteArray>
#include <QString>

namespace sim {

// The label that names the charset in the Content-Type header and the page's meta tag.
QByteArray CharsetLabel(BodyCharset charset);

// The page text as bytes in the charset. Characters GBK cannot hold become '?', as on a real
// GBK site.
QByteArray EncodeBody(const QString& text, BodyCharset charset);

}  // namespace sim
