#include "raster/blit.h"

#include <algorithm>
#include <array>
#include <vector>

#include "raster/row_ops.h"

namespace anigif {

void BitBlt(const PixelTarget& dst, const PixelRect& dest, const PixelSource& src,
            std::int64_t srcX, std::int64_t srcY, RasterOp op) {
    if (dst.top == nullptr || src.top == nullptr) return;
    const PixelRect d = ClampRect(dest);
    srcX = ClampCoordinate(srcX);
    srcY = ClampCoordinate(srcY);
    if (d.Width <= 0 || d.Height <= 0) return;
    // Clip against the target, then against the source moved to the target's coordinates.
    const std::int64_t x0 = std::max({d.X, std::int64_t{0}, d.X - srcX});
    const std::int64_t x1 =
        std::min({d.X + d.Width, std::int64_t{dst.width}, d.X - srcX + src.width});
    const std::int64_t y0 = std::max({d.Y, std::int64_t{0}, d.Y - srcY});
    const std::int64_t y1 =
        std::min({d.Y + d.Height, std::int64_t{dst.height}, d.Y - srcY + src.height});
    if (x0 >= x1 || y0 >= y1) return;
    const auto n = static_cast<std::int32_t>(x1 - x0);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(n));
    for (std::int64_t y = y0; y < y1; ++y) {
        FetchRow(src, srcY + (y - d.Y), srcX + (x0 - d.X), n, row.data());
        StoreRow(dst, y, x0, n, row.data(), op);
    }
}

}  // namespace anigif
