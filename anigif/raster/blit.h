#pragma once

#include <cstdint>

#include "raster/pixel_views.h"

namespace anigif {

// How a copied pixel combines with the one it lands on: replace, AND, OR. Between the colour
// surfaces and the mask, white (0xFFFFFF) is the mask's 1 and every other colour its 0.
enum class RasterOp : std::uint32_t { SrcCopy = 0xCC0020, SrcAnd = 0x8800C6, SrcPaint = 0xEE0086 };

// Copies dest.Width x dest.Height pixels from (srcX, srcY) of `src` to `dest`. What lies outside
// either bitmap is skipped; a rectangle of width or height 0 or less copies nothing.
void BitBlt(const PixelTarget& dst, const PixelRect& dest, const PixelSource& src,
            std::int64_t srcX, std::int64_t srcY, RasterOp op);

// Scales `source` onto `dest` with halftone smoothing: each target pixel is the area average of
// the source pixels it covers when shrinking, a linear blend of its nearest source pixels when
// enlarging. A negative source width or height mirrors (the source then starts at its far edge,
// x + width + 1 .. x). Source pixels outside the bitmap are never read.
void StretchBltHalftone(const PixelTarget& dst, const PixelRect& dest, const PixelSource& src,
                        const PixelRect& source, RasterOp op);

}  // namespace anigif
