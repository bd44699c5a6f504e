#include "raster/paint_picture.h"

#include <algorithm>

#include "raster/clip_copy.h"
#include "raster/halftone_rows.h"
#include "raster/picture_rows.h"
#include "raster/wide_loops.h"

namespace anigif {

namespace {

// Calls run(x0, x1, colour) for the stretches of target row y in [x0, x1) that have one
// underlay colour.
template <class Run>
void ForUnderlayRuns(const Underlay& u, std::int64_t y, std::int64_t x0, std::int64_t x1, Run run) {
    const PixelRect& s = u.SolidRect;
    if (x0 >= x1) return;
    if (!u.HasSolid || y < s.Y || y >= s.Y + s.Height) return run(x0, x1, u.Color);
    const std::int64_t a = std::clamp(s.X, x0, x1);
    const std::int64_t b = std::clamp(s.X + s.Width, a, x1);
    if (x0 < a) run(x0, a, u.Color);
    if (a < b) run(a, b, u.Solid);
    if (b < x1) run(b, x1, u.Color);
}

void FillUnderlay(std::uint32_t* row, const Underlay& u, std::int64_t y, std::int64_t x0,
                  std::int64_t x1) {
    ForUnderlayRuns(u, y, x0, x1, [row](std::int64_t a, std::int64_t b, std::uint32_t c) {
        std::fill(row + a, row + b, c);
    });
}

// Premultiplied colours in[0, n) over one colour, into d. Without branches, so that it runs eight
// pixels a step: (x + 1 + (x >> 8)) >> 8 is x / 255 for every x that arises here.
ANIGIF_WIDE_LOOPS void OverRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict in,
                               std::int64_t n, std::uint32_t under) {
    for (std::int64_t i = 0; i < n; ++i) {
        const std::uint32_t v = in[i];
        const std::uint32_t rest = 255 - (v >> 24);
        std::uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const std::uint32_t x = (under >> shift & 0xFF) * rest + 127;
            const std::uint32_t c = (v >> shift & 0xFF) + ((x + 1 + (x >> 8)) >> 8);
            out |= std::min<std::uint32_t>(c, 255) << shift;
        }
        d[i] = out;
    }
}

// Target pixels d[0, n) from source pixels x.. of row sy, over one underlay colour; the copies
// the control makes most, each written as one loop without branches.
ANIGIF_WIDE_LOOPS void CopyOver(std::uint32_t* d, const Picture& p, std::int64_t sy,
                                std::int64_t sx, std::int64_t n, std::uint32_t under) {
    const PixelSource& s = p.Pixels;
    if (s.kind == PixelSource::Kind::Indexed) {
        const std::uint8_t* in = s.Row(sy) + sx;
        const std::uint32_t* table = s.table;
        for (std::int64_t i = 0; i < n; ++i) {
            const std::uint32_t v = table[in[i]];
            d[i] = v | (v == 0 ? under : 0u);
        }
        return;
    }
    const auto* c = reinterpret_cast<const std::uint32_t*>(s.Row(sy)) + sx;
    if (p.Mask.top == nullptr) {
        for (std::int64_t i = 0; i < n; ++i) d[i] = c[i] | 0xFF000000u;
        return;
    }
    const std::uint8_t* m = p.Mask.Row(sy) + sx;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::uint32_t bare = 0u - m[i];  // 1 -> all ones
        d[i] = (under & bare) | ((c[i] | 0xFF000000u) & ~bare);
    }
}

}  // namespace

SourceRows PaintPicture(const PixelTarget& surface, const PixelRect& dest, const Picture& picture,
                        const PixelRect& source, bool stretch, const Underlay& under,
                        const std::function<void(std::int64_t)>& beforeRow) {
    if (surface.top == nullptr || surface.kind != PixelTarget::Kind::Surface) return {};
    Underlay u = under;
    u.SolidRect = ClampRect(u.SolidRect);
    const PixelRect d = ClampRect(dest);
    // The picture's target rectangle, clipped; empty when nothing of it shows.
    std::int64_t x0 = 0, x1 = 0, y0 = 0, y1 = 0, dx = 0, dy = 0;
    std::optional<HalftoneRows> scaled;
    if (!stretch) {
        if (const auto c = ClipCopy(surface, d, picture.Pixels, ClampCoordinate(source.X),
                                    ClampCoordinate(source.Y))) {
            x0 = c->x0, x1 = c->x0 + c->n, y0 = c->y0, y1 = c->y1, dx = c->dx, dy = c->dy;
        }
    } else if (d.Width > 0 && d.Height > 0) {
        x0 = std::max<std::int64_t>(d.X, 0);
        x1 = std::min<std::int64_t>(d.X + d.Width, surface.width);
        y0 = std::max<std::int64_t>(d.Y, 0);
        y1 = std::min<std::int64_t>(d.Y + d.Height, surface.height);
        if (x0 < x1 && y0 < y1) scaled.emplace(d, picture, ClampRect(source), x0, x1, y0, y1);
        if (!scaled || scaled->Empty()) x0 = x1 = 0;
    }
    for (std::int64_t y = 0; y < surface.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(surface.Row(y));
        if (y < y0 || y >= y1 || x0 >= x1) {
            FillUnderlay(row, u, y, 0, surface.width);
            continue;
        }
        FillUnderlay(row, u, y, 0, x0);
        if (scaled) {
            const std::uint32_t* in = scaled->Row(y);  // from x0 on
            ForUnderlayRuns(u, y, x0, x1, [&](std::int64_t a, std::int64_t b, std::uint32_t c) {
                OverRow(row + a, in + (a - x0), b - a, c);
            });
        } else {
            if (beforeRow) beforeRow(y + dy);
            ForUnderlayRuns(u, y, x0, x1, [&](std::int64_t a, std::int64_t b, std::uint32_t c) {
                CopyOver(row + a, picture, y + dy, a + dx, b - a, c);
            });
        }
        FillUnderlay(row, u, y, x1, surface.width);
    }
    if (scaled || x0 >= x1 || y0 >= y1) return {};
    return {y0 + dy, y1 + dy};
}

}  // namespace anigif
