#pragma once

#include "raster/pixel_views.h"

namespace anigif {

// Lays an indexed frame onto the canvas at `dest`: where the frame's colour (through its
// 0xAARRGGBB table) is opaque it replaces the canvas cell and marks the mask covered; where it is
// transparent (alpha 0) both stay. `mask` may be empty; otherwise it is the canvas's size.
void LayFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
              const PixelSource& frame);

}  // namespace anigif
