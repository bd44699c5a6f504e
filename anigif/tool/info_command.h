#pragma once

#include <QString>

#include <optional>

namespace anigif {

// One JSON object describing `file` as the control holds it after loading: the canvas, the loop
// count and every frame's place, delay, disposal, transparency and colour table. On failure,
// nothing, and the one-line reason in `error`.
std::optional<QString> DescribeGif(const QString& file, QString& error);

}  // namespace anigif
