#pragma once

#include <cstdint>

#include "decode/ani_gif_data.h"
#include "raster/pixel_views.h"

namespace anigif {

// Draws frame n (1-based) onto `target`, a control of clientWidth x clientHeight pixels: straight
// from the strip at the frame's own place, or, for composed animations, the canvas brought to
// frame n. False when n is 0 (nothing loaded) or no frame.
bool DrawCurrentFrame(AniGifData& d, std::int32_t n, const PixelTarget& target,
                      std::int32_t clientWidth, std::int32_t clientHeight);

// Draws frame n (n > 0, from the strip, with its transparency) or the canvas (n < 0, through its
// mask) into `dest` of `target`, scaled with halftone when `stretch` is set. The solid background,
// when used, is filled first on the control; the canvas never gets it, since it would cover what
// earlier frames left there.
void BlitFrame(AniGifData& d, std::int32_t n, const PixelTarget& target, bool stretch,
               const PixelRect& dest);

}  // namespace anigif
