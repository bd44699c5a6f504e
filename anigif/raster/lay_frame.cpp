#include "raster/lay_frame.h"

#include <algorithm>
#include <cstring>

#include "raster/clip_copy.h"
#include "raster/words4.h"

namespace anigif {

void LayFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
              const PixelSource& frame, std::int32_t transparent, std::int64_t fromRow,
              std::int64_t toRow) {
    if (frame.kind != PixelSource::Kind::Indexed || frame.table == nullptr) return;
    const std::optional<ClippedCopy> clipped = ClipCopy(canvas, dest, frame, 0, 0);
    if (!clipped) return;
    const ClippedCopy& p = *clipped;
    const bool withMask =
        mask.top != nullptr && mask.width == canvas.width && mask.height == canvas.height;
    const std::uint32_t* table = frame.table;
    const Words4 rgb = SplatWords4(0xFFFFFFu);
    using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
    for (std::int64_t y = std::max(p.y0, fromRow); y < std::min(p.y1, toRow); ++y) {
        const std::uint8_t* in = frame.Row(y + p.dy) + (p.x0 + p.dx);
        std::uint32_t* c = reinterpret_cast<std::uint32_t*>(canvas.Row(y)) + p.x0;
        std::int32_t i = 0;
        // Four at a time, without branches: an opaque colour takes the cell, a transparent one
        // (0) keeps it.
        for (; i + 4 <= p.n; i += 4) {
            const Words4 v = {table[in[i]], table[in[i + 1]], table[in[i + 2]], table[in[i + 3]]};
            StoreWords4(c + i, (LoadWords4(c + i) & (v == 0)) | (v & rgb));
        }
        for (; i < p.n; ++i) {
            const std::uint32_t v = table[in[i]];
            c[i] = (c[i] & (v == 0 ? ~0u : 0u)) | (v & 0xFFFFFFu);
        }
        if (!withMask) continue;
        // The mask stays white only under the transparent index, sixteen at a time.
        std::uint8_t* m = mask.Row(y) + p.x0;
        i = 0;
        if (transparent < 0) {
            std::fill_n(m, p.n, 0);
            continue;
        }
        const Bytes16 t = static_cast<std::uint8_t>(transparent) - Bytes16{};
        for (; i + 16 <= p.n; i += 16) {
            Bytes16 a, b;
            std::memcpy(&a, in + i, 16);
            std::memcpy(&b, m + i, 16);
            b &= (a == t) & 1;
            std::memcpy(m + i, &b, 16);
        }
        for (; i < p.n; ++i) m[i] = static_cast<std::uint8_t>(m[i] & (in[i] == transparent));
    }
}

}  // namespace anigif
