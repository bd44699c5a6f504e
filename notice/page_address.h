#pragma once

#include <QString>
#include <QUrl>

namespace notice {

// The announcement's page address comes from the network, so the popup shows only web pages: an
// absolute http or https address with a host. Local files, scripts and bare paths are refused.
// Blanks around the address are dropped, and what a browser would repair (a space in the path)
// is repaired. The result is the address to load, or an empty one when the address is refused.
QUrl WebPageUrl(const QString& address);

}  // namespace notice
