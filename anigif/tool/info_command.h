#pragma once

#include <QString>

#include <cstdio>
#include <optional>

namespace anigif {

// Writes one JSON object describing `file` to `out` as it goes, frame by frame: the canvas, the
// loop count and every frame's place, delay, disposal, transparency and colour table, as the
// control reads them. On failure (before anything is written), the one-line reason.
std::optional<QString> DescribeGif(const QString& file, std::FILE* out);

}  // namespace anigif
