#pragma once

#include <cstdint>
#include <functional>

#include "raster/pixel_views.h"

namespace anigif {

// What shows where the picture leaves the control uncovered: Color, or Solid inside SolidRect
// when HasSolid. Colours are premultiplied 0xAARRGGBB; alpha 0 leaves the surface transparent.
struct Underlay {
    std::uint32_t Color = 0xFF000000u;
    bool HasSolid = false;
    std::uint32_t Solid = 0xFF000000u;
    PixelRect SolidRect;
};

// A picture to paint: indexed pixels through a 0xAARRGGBB table (alpha 0 where transparent), or
// the canvas's colours, transparent where its mask (same size; may be empty) holds 1.
struct Picture {
    PixelSource Pixels;
    PixelSource Mask;
};

// Paints every pixel of the surface once: the picture's `source` rectangle into `dest` over the
// underlay, and the underlay wherever the picture is not. Unscaled (`stretch` false) the copy
// starts at source.X, source.Y; stretched it is scaled with halftone smoothing, each target pixel
// the area average of the source pixels it covers when shrinking and a linear blend of its
// nearest ones when enlarging. A negative source width or height mirrors (the source then starts
// at its far edge, x + width + 1 .. x). Source pixels outside the bitmap are never read.
// Unscaled, `beforeRow` (when given) runs for each source row just before it is copied, so that
// a row can be finished while it is at hand; the source rows copied come back as [first, last).
struct SourceRows {
    std::int64_t First = 0;
    std::int64_t Last = 0;
};
SourceRows PaintPicture(const PixelTarget& surface, const PixelRect& dest, const Picture& picture,
                        const PixelRect& source, bool stretch, const Underlay& under,
                        const std::function<void(std::int64_t)>& beforeRow = {});

}  // namespace anigif
