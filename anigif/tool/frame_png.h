#pragma once

#include <QImage>

#include <functional>
#include <optional>

#include "raster/surface.h"

namespace anigif {

// The picture that `draw` paints onto an erased surface of width x height: over `background`
// when given (red * 65536 + green * 256 + blue), else with alpha where nothing was drawn. The
// alpha comes from drawing twice, over black and over white: a pixel drawn looks the same on
// both, the background shows through the rest, and halftone edges get their partial cover.
QImage RenderToImage(std::int32_t width, std::int32_t height,
                     const std::optional<std::uint32_t>& background,
                     const std::function<void(Surface32&)>& draw);

}  // namespace anigif
