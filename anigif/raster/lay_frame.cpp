#include "raster/lay_frame.h"

#include "raster/clip_copy.h"

namespace anigif {

void LayFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
              const PixelSource& frame) {
    if (frame.kind != PixelSource::Kind::Indexed || frame.table == nullptr) return;
    const std::optional<ClippedCopy> clipped = ClipCopy(canvas, dest, frame, 0, 0);
    if (!clipped) return;
    const ClippedCopy& p = *clipped;
    const bool withMask =
        mask.top != nullptr && mask.width == canvas.width && mask.height == canvas.height;
    const std::uint32_t* table = frame.table;
    for (std::int64_t y = p.y0; y < p.y1; ++y) {
        const std::uint8_t* in = frame.Row(y + p.dy) + (p.x0 + p.dx);
        std::uint32_t* c = reinterpret_cast<std::uint32_t*>(canvas.Row(y)) + p.x0;
        std::uint8_t* m = withMask ? mask.Row(y) + p.x0 : nullptr;
        for (std::int32_t i = 0; i < p.n; ++i) {
            const std::uint32_t v = table[in[i]];
            // Branch-free: an opaque colour takes the cell, a transparent one keeps it.
            const std::uint32_t keep = v == 0 ? ~0u : 0u;
            c[i] = (c[i] & keep) | (v & 0xFFFFFFu);
            if (m) m[i] = static_cast<std::uint8_t>(m[i] & keep);
        }
    }
}

}  // namespace anigif
