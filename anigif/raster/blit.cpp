#include "raster/blit.h"

#include <algorithm>
#include <array>

#include "raster/clip_copy.h"

namespace anigif {

namespace {

using Span = ClippedCopy;

// One loop per row that reads, converts and combines each pixel in place: no row buffer, no
// second pass. The same conversions as FetchRow and StoreRow, so results are identical.
template <class Cell, class Read, class Combine>
void CopyRows(const PixelTarget& t, const PixelSource& s, const Span& p, Read read,
              Combine combine) {
    for (std::int64_t y = p.y0; y < p.y1; ++y) {
        const std::uint8_t* in = s.Row(y + p.dy);
        const std::int64_t sx = p.x0 + p.dx;
        Cell* d = reinterpret_cast<Cell*>(t.Row(y)) + p.x0;
        for (std::int32_t i = 0; i < p.n; ++i) d[i] = combine(d[i], read(in, sx + i));
    }
}

template <class Read>
void StoreAs(const PixelTarget& t, const PixelSource& s, const Span& p, RasterOp op, Read read) {
    if (t.kind == PixelTarget::Kind::Mono) {
        // White is the mask's 1, every other colour its 0.
        auto bit = [read](const std::uint8_t* in, std::int64_t x) -> std::uint8_t {
            return read(in, x) == 0xFFFFFFu ? 1 : 0;
        };
        switch (op) {
            case RasterOp::SrcCopy:
                return CopyRows<std::uint8_t>(t, s, p, bit,
                                              [](std::uint8_t, std::uint8_t b) { return b; });
            case RasterOp::SrcAnd:
                return CopyRows<std::uint8_t>(t, s, p, bit, [](std::uint8_t v, std::uint8_t b) {
                    return static_cast<std::uint8_t>(v & b);
                });
            case RasterOp::SrcPaint:
                return CopyRows<std::uint8_t>(t, s, p, bit, [](std::uint8_t v, std::uint8_t b) {
                    return static_cast<std::uint8_t>(v | b);
                });
        }
        return;
    }
    // The surface keeps its top byte set (opaque); the canvas keeps it clear.
    const std::uint32_t top = t.kind == PixelTarget::Kind::Surface ? 0xFF000000u : 0u;
    switch (op) {
        case RasterOp::SrcCopy:
            return CopyRows<std::uint32_t>(
                t, s, p, read, [top](std::uint32_t, std::uint32_t c) { return c | top; });
        case RasterOp::SrcAnd:
            return CopyRows<std::uint32_t>(
                t, s, p, read, [top](std::uint32_t v, std::uint32_t c) { return v & (c | top); });
        case RasterOp::SrcPaint:
            return CopyRows<std::uint32_t>(t, s, p, read,
                                           [](std::uint32_t v, std::uint32_t c) { return v | c; });
    }
}

}  // namespace

void BitBlt(const PixelTarget& dst, const PixelRect& dest, const PixelSource& src,
            std::int64_t srcX, std::int64_t srcY, RasterOp op) {
    const std::optional<ClippedCopy> clipped = ClipCopy(dst, dest, src, srcX, srcY);
    if (!clipped) return;
    const Span& p = *clipped;
    switch (src.kind) {
        case PixelSource::Kind::Indexed: {
            std::array<std::uint32_t, 256> colors;
            for (std::size_t i = 0; i < colors.size(); ++i) colors[i] = src.table[i] & 0xFFFFFFu;
            const std::uint32_t* table = colors.data();
            return StoreAs(dst, src, p, op, [table](const std::uint8_t* in, std::int64_t x) {
                return table[in[x]];
            });
        }
        case PixelSource::Kind::Rgb:
            return StoreAs(dst, src, p, op, [](const std::uint8_t* in, std::int64_t x) {
                return reinterpret_cast<const std::uint32_t*>(in)[x] & 0xFFFFFFu;
            });
        case PixelSource::Kind::Mono:
            return StoreAs(dst, src, p, op, [](const std::uint8_t* in, std::int64_t x) {
                return in[x] ? 0xFFFFFFu : 0u;
            });
    }
}

}  // namespace anigif
