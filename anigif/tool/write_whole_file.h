#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace anigif {

// Writes `bytes` as the whole of `path`, or leaves what was there: a half-written file never
// stands under the name asked for. On failure, the one-line reason.
std::optional<QString> WriteWholeFile(const QString& path, const std::vector<std::uint8_t>& bytes);

}  // namespace anigif
