#include "raster/fused_blit.h"

#include <array>

#include "raster/clip_copy.h"
#include "raster/words4.h"

namespace anigif {

namespace {

bool SameSize(const PixelSource& a, const PixelSource& b) {
    return a.width == b.width && a.height == b.height;
}

}  // namespace

void BitBltMasked(const PixelTarget& dst, const PixelRect& dest, const PixelSource& mask,
                  const PixelSource& colors, std::int64_t srcX, std::int64_t srcY) {
    const bool fused =
        dst.kind != PixelTarget::Kind::Mono && mask.kind == PixelSource::Kind::Mono &&
        colors.kind == PixelSource::Kind::Rgb && SameSize(mask, colors) && mask.top != nullptr;
    if (!fused) {
        BitBlt(dst, dest, mask, srcX, srcY, RasterOp::SrcAnd);
        BitBlt(dst, dest, colors, srcX, srcY, RasterOp::SrcPaint);
        return;
    }
    // Equal sizes clip both copies alike.
    const std::optional<ClippedCopy> clipped = ClipCopy(dst, dest, colors, srcX, srcY);
    if (!clipped) return;
    const ClippedCopy& p = *clipped;
    const std::uint32_t top = dst.kind == PixelTarget::Kind::Surface ? 0xFF000000u : 0u;
    for (std::int64_t y = p.y0; y < p.y1; ++y) {
        const std::uint8_t* m = mask.Row(y + p.dy) + (p.x0 + p.dx);
        const std::uint32_t* c =
            reinterpret_cast<const std::uint32_t*>(colors.Row(y + p.dy)) + (p.x0 + p.dx);
        std::uint32_t* d = reinterpret_cast<std::uint32_t*>(dst.Row(y)) + p.x0;
        std::int32_t i = 0;
        for (const Words4 low = SplatWords4(0xFFFFFFu), high = SplatWords4(top); i + 4 <= p.n;
             i += 4) {
            const Words4 white = Words4{m[i], m[i + 1], m[i + 2], m[i + 3]} != 0;
            const Words4 keep = (white & low) | high;
            StoreWords4(d + i, (LoadWords4(d + i) & keep) | (LoadWords4(c + i) & low));
        }
        for (; i < p.n; ++i) {
            const std::uint32_t keep = (m[i] ? 0xFFFFFFu : 0u) | top;
            d[i] = (d[i] & keep) | (c[i] & 0xFFFFFFu);
        }
    }
}

void LayMaskedFrame(const PixelTarget& canvas, const PixelTarget& mask, const PixelRect& dest,
                    const PixelSource& frame, const std::uint32_t* maskTable,
                    const std::uint32_t* colorTable) {
    PixelSource throughMask = frame;
    throughMask.table = maskTable;
    PixelSource throughColors = frame;
    throughColors.table = colorTable;
    const bool fused = canvas.kind == PixelTarget::Kind::Rgb &&
                       mask.kind == PixelTarget::Kind::Mono &&
                       frame.kind == PixelSource::Kind::Indexed && canvas.width == mask.width &&
                       canvas.height == mask.height && mask.top != nullptr;
    if (!fused) {
        BitBlt(mask, dest, throughMask, 0, 0, RasterOp::SrcAnd);
        BitBlt(canvas, dest, throughMask, 0, 0, RasterOp::SrcAnd);
        BitBlt(canvas, dest, throughColors, 0, 0, RasterOp::SrcPaint);
        return;
    }
    const std::optional<ClippedCopy> clipped = ClipCopy(canvas, dest, frame, 0, 0);
    if (!clipped) return;
    const ClippedCopy& p = *clipped;
    // Per index: the canvas keeps the bits of its mask colour and gains those of its colour; the
    // mask stays white only where the mask colour is white.
    std::array<std::uint32_t, 256> keep;
    std::array<std::uint32_t, 256> paint;
    std::array<std::uint8_t, 256> white;
    for (std::size_t i = 0; i < 256; ++i) {
        keep[i] = maskTable[i] & 0xFFFFFFu;
        paint[i] = colorTable[i] & 0xFFFFFFu;
        white[i] = keep[i] == 0xFFFFFFu ? 1 : 0;
    }
    for (std::int64_t y = p.y0; y < p.y1; ++y) {
        const std::uint8_t* in = frame.Row(y + p.dy) + (p.x0 + p.dx);
        std::uint32_t* c = reinterpret_cast<std::uint32_t*>(canvas.Row(y)) + p.x0;
        std::uint8_t* m = mask.Row(y) + p.x0;
        for (std::int32_t i = 0; i < p.n; ++i) {
            const std::uint8_t k = in[i];
            m[i] = static_cast<std::uint8_t>(m[i] & white[k]);
            c[i] = (c[i] & keep[k]) | paint[k];
        }
    }
}

}  // namespace anigif
