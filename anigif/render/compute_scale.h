#pragma once

#include <cstdint>

#include "decode/gif_animation.h"
#include "render/gif_view.h"

namespace anigif {

// How the image is fitted to the control:
// 0 unscaled, the control never larger than the image; 1 fit keeping proportions;
// 2 stretch to fill; 3 fit keeping proportions but never enlarge; 4 control takes the image size.
enum class StretchMode : std::int32_t { None = 0, Fit = 1, Fill = 2, Shrink = 3, Exact = 4 };

// Whole pixels from a product: halves go to the even neighbour; clamped to the 32-bit range.
std::int32_t NearestPixel(double value);
// The same for positions on the way to being clipped: 64 bits, clamped far beyond any bitmap.
std::int64_t NearestPosition(double value);

// Sets the view's ScaleFactorX/Y for a control of width x height pixels and returns, in width and
// height, the size the control should take. A canvas without pixels scales by 1.0 and leaves the
// size alone.
void ComputeScale(const GifAnimation& a, GifView& d, StretchMode mode, std::int32_t& width,
                  std::int32_t& height);

}  // namespace anigif
