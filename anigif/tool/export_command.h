#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace anigif {

// Writes frame `frame` (1-based) of `file`, after mirroring by `mirror`, to `outFile` as the
// control exports it. On failure, the one-line reason.
std::optional<QString> ExportFrame(const QString& file, std::int32_t frame, std::int32_t mirror,
                                   const QString& outFile);

}  // namespace anigif
