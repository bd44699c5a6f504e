#pragma once

#include <QString>

namespace notice {

// The announcement's page address comes from the network, so the popup shows only web pages:
// an absolute http or https address with a host. Local files, scripts and bare paths are refused.
bool IsWebAddress(const QString& address);

}  // namespace notice
