#pragma once

#include <QImage>

#include <functional>
#include <optional>

#include "raster/surface.h"

namespace anigif {

// The picture that `paint` makes on a surface of width x height, painting every pixel over the
// background colour it is given: over `background` when given (red * 65536 + green * 256 +
// blue), else over transparency, with halftone edges partly covered (straight alpha). The image
// shares the surface's memory and lives as long as `surface`.
QImage RenderToImage(Surface32& surface, std::int32_t width, std::int32_t height,
                     const std::optional<std::uint32_t>& background,
                     const std::function<void(Surface32&, std::uint32_t)>& paint);

}  // namespace anigif
