#pragma once

#include <cstdint>
#include <optional>

#include "decode/gif_animation.h"
#include "decode/gif_picture.h"

namespace anigif {

// Frame n (1-based) as a new one-frame GIF89a: its colour table as a 256-entry global table
// (padded with black), a graphic control extension only when the frame is transparent, and its
// pixels as they lie in the strip, LZW-coded by our own encoder. Nothing for a frame that does
// not exist, is not built yet, or has no pixels.
std::optional<GifPicture> ExportFrameGif(const GifAnimation& d, std::int32_t n);

}  // namespace anigif
