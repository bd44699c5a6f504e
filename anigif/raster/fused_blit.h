#pragma once

#include <cstdint>

#include "raster/blit.h"

namespace anigif {

// The copies that transparency takes two or three of, done in one pass each; pixel for pixel the
// same as the separate copies, which the comments name.

// BitBlt(dst, dest, mask, srcX, srcY, SrcAnd), then BitBlt(dst, dest, colors, srcX, srcY,
// SrcPaint): a composed picture over what the target holds. `mask` and `colors` are the same size.
void BitBltMasked(const PixelTarget& dst, const PixelRect& dest, const PixelSource& mask,
                  const PixelSource& colors, std::int64_t srcX, std::int64_t srcY);

// With `frame` an indexed source: BitBlt(mask, dest, frame through maskTable, 0, 0, SrcAnd),
// BitBlt(canvas, ...the same..., SrcAnd), BitBlt(canvas, dest, frame through colorTable, 0, 0,
// SrcPaint): a frame with transparent pixels laid onto a canvas and its mask, which are the same
// size.
void LayMaskedFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
                    const PixelSource& frame, const std::uint32_t* maskTable,
                    const std::uint32_t* colorTable);

}  // namespace anigif
