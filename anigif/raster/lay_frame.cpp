#include "raster/lay_frame.h"

#include <algorithm>

#include "raster/clip_copy.h"
#include "raster/wide_loops.h"

namespace anigif {

namespace {

// Where the colour is opaque it takes the cell, where it is transparent (0) the cell stays.
ANIGIF_WIDE_LOOPS void LayColors(std::uint32_t* __restrict c, const std::uint8_t* __restrict in,
                                 std::int32_t n, const std::uint32_t* __restrict table) {
    for (std::int32_t i = 0; i < n; ++i) {
        const std::uint32_t v = table[in[i]];
        c[i] = (c[i] & (v == 0 ? ~0u : 0u)) | (v & 0xFFFFFFu);
    }
}

// The mask stays white only under the transparent index.
ANIGIF_WIDE_LOOPS void LayMask(std::uint8_t* m, const std::uint8_t* in, std::int32_t n,
                               std::uint8_t transparent) {
    for (std::int32_t i = 0; i < n; ++i)
        m[i] = static_cast<std::uint8_t>(m[i] & (in[i] == transparent));
}

}  // namespace

void LayFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
              const PixelSource& frame, std::int32_t transparent, std::int64_t fromRow,
              std::int64_t toRow) {
    if (frame.kind != PixelSource::Kind::Indexed || frame.table == nullptr) return;
    const std::optional<ClippedCopy> clipped = ClipCopy(canvas, dest, frame, 0, 0);
    if (!clipped) return;
    const ClippedCopy& p = *clipped;
    const bool withMask =
        mask.top != nullptr && mask.width == canvas.width && mask.height == canvas.height;
    for (std::int64_t y = std::max(p.y0, fromRow); y < std::min(p.y1, toRow); ++y) {
        const std::uint8_t* in = frame.Row(y + p.dy) + (p.x0 + p.dx);
        LayColors(reinterpret_cast<std::uint32_t*>(canvas.Row(y)) + p.x0, in, p.n, frame.table);
        if (!withMask) continue;
        std::uint8_t* m = mask.Row(y) + p.x0;
        if (transparent < 0) {
            std::fill_n(m, p.n, 0);
        } else {
            LayMask(m, in, p.n, static_cast<std::uint8_t>(transparent));
        }
    }
}

}  // namespace anigif
