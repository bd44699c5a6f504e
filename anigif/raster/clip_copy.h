#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "raster/pixel_views.h"

namespace anigif {

// A copy clipped to its target and source: target rows [y0, y1), n pixels from x0 on; the source
// pixel of target (x, y) is (x + dx, y + dy).
struct ClippedCopy {
    std::int64_t x0 = 0, y0 = 0, y1 = 0, dx = 0, dy = 0;
    std::int32_t n = 0;
};

// Nothing when no pixel is left to copy.
inline std::optional<ClippedCopy> ClipCopy(const PixelTarget& dst, const PixelRect& dest,
                                           const PixelSource& src, std::int64_t srcX,
                                           std::int64_t srcY) {
    if (dst.top == nullptr || src.top == nullptr) return std::nullopt;
    const PixelRect d = ClampRect(dest);
    srcX = ClampCoordinate(srcX);
    srcY = ClampCoordinate(srcY);
    if (d.Width <= 0 || d.Height <= 0) return std::nullopt;
    // Clip against the target, then against the source moved to the target's coordinates.
    const std::int64_t x0 = std::max({d.X, std::int64_t{0}, d.X - srcX});
    const std::int64_t x1 =
        std::min({d.X + d.Width, std::int64_t{dst.width}, d.X - srcX + src.width});
    const std::int64_t y0 = std::max({d.Y, std::int64_t{0}, d.Y - srcY});
    const std::int64_t y1 =
        std::min({d.Y + d.Height, std::int64_t{dst.height}, d.Y - srcY + src.height});
    if (x0 >= x1 || y0 >= y1) return std::nullopt;
    return ClippedCopy{x0, y0, y1, srcX - d.X, srcY - d.Y, static_cast<std::int32_t>(x1 - x0)};
}

}  // namespace anigif
