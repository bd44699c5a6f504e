#pragma once

#include <cstdint>
#include <span>

#include "raster/frame_strip.h"

namespace anigif {

// Decodes the first image of a one-frame GIF with giflib straight into the strip's column: pixel
// (x, y) goes to row y of the column, interlaced rows in display order; nothing is buffered
// beside the strip. Where the data breaks off, the rows decoded before the break stay, as a
// browser shows them, and the rest stays index 0. False when the image was not decoded whole.
bool LoadFramePicture(std::span<const std::uint8_t> gif, FrameStrip& strip, std::size_t column);

}  // namespace anigif
