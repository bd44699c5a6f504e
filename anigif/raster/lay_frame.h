#pragma once

#include "raster/pixel_views.h"

namespace anigif {

// Lays an indexed frame onto the canvas at `dest`: where the frame's colour (through its
// 0xAARRGGBB table) is opaque it replaces the canvas cell and marks the mask covered; where it is
// transparent (alpha 0: the `transparent` index, -1 for none) both stay. `mask` may be empty;
// otherwise it is the canvas's size. Only canvas rows [fromRow, toRow) are touched.
void LayFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
              const PixelSource& frame, std::int32_t transparent, std::int64_t fromRow,
              std::int64_t toRow);

}  // namespace anigif
