#pragma once

#include <cstdint>
#include <span>

#include "render/dib.h"

namespace anigif {

// Decodes the first image of a one-frame GIF with giflib and writes its colour indices straight
// into the strip: pixel (x, y) goes to strip position (stripX + x, y), interlaced rows in display
// order. Returns false when the GIF is rejected or the image does not fit the strip; the image's
// rows are then left at index 0, as if it had never been drawn.
bool LoadFramePicture(std::span<const std::uint8_t> gif, Dib8& strip, std::int32_t stripX);

}  // namespace anigif
