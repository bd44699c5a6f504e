#pragma once

#include <cstdint>

#include "decode/gif_animation.h"
#include "raster/pixel_views.h"
#include "render/compositor.h"
#include "render/gif_view.h"

namespace anigif {

// Paints the whole of `target`, a control of clientWidth x clientHeight pixels, once: frame n
// (1-based) straight from the strip at the frame's own place, or, for composed animations, the
// canvas brought to frame n; over the solid background when used, and `background`
// (premultiplied 0xAARRGGBB) wherever nothing else is. Offsets shift the picture by control
// pixels on both paths. False when n is 0 (nothing loaded) or no frame: then only the
// background is painted.
bool DrawCurrentFrame(const GifAnimation& a, Compositor& c, const GifView& v, std::int32_t n,
                      const PixelTarget& target, std::int32_t clientWidth,
                      std::int32_t clientHeight, std::uint32_t background);

}  // namespace anigif
