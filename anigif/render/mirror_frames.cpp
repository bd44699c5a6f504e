#include "render/mirror_frames.h"

#include <algorithm>

namespace anigif {

namespace {

void SwapRows(DibPixels& dib, std::int32_t a, std::int32_t b, std::size_t offset, std::size_t n) {
    std::swap_ranges(dib.Row(a) + offset, dib.Row(a) + offset + n, dib.Row(b) + offset);
}

void FlipColumn(Dib8& strip, const FrameRecord& r, bool horizontal, bool vertical) {
    const auto x = static_cast<std::size_t>(r.StripX);
    const auto w = static_cast<std::size_t>(r.Width);
    if (horizontal) {
        for (std::int32_t y = 0; y < r.Height; ++y)
            std::reverse(strip.Row(y) + x, strip.Row(y) + x + w);
    }
    if (vertical) {
        for (std::int32_t y = 0; y < r.Height / 2; ++y) SwapRows(strip, y, r.Height - 1 - y, x, w);
    }
}

void FlipCanvas(Dib24& canvas, bool horizontal, bool vertical) {
    const std::int32_t w = canvas.Width();
    if (horizontal) {
        for (std::int32_t y = 0; y < canvas.Height(); ++y) {
            std::uint8_t* row = canvas.Row(y);
            for (std::int32_t a = 0, b = w - 1; a < b; ++a, --b) {
                std::swap_ranges(row + 3 * a, row + 3 * a + 3, row + 3 * b);
            }
        }
    }
    if (vertical) {
        for (std::int32_t y = 0; y < canvas.Height() / 2; ++y) {
            SwapRows(canvas, y, canvas.Height() - 1 - y, 0, canvas.RowBytes());
        }
    }
}

void FlipMask(Dib1& mask, bool horizontal, bool vertical) {
    if (horizontal) {
        for (std::int32_t y = 0; y < mask.Height(); ++y) {
            for (std::int32_t a = 0, b = mask.Width() - 1; a < b; ++a, --b) {
                const bool pa = mask.Get(a, y);
                mask.Set(a, y, mask.Get(b, y));
                mask.Set(b, y, pa);
            }
        }
    }
    if (vertical) {
        for (std::int32_t y = 0; y < mask.Height() / 2; ++y) {
            SwapRows(mask, y, mask.Height() - 1 - y, 0, mask.RowBytes());
        }
    }
}

}  // namespace

void MirrorFrames(AniGifData& d, std::int32_t target, bool firstFrameOnly, bool includeCanvas) {
    std::size_t from = 0;
    if (d.FirstFrameMirrored) {
        d.FirstFrameMirrored = false;
        from = 1;
    }
    const std::int32_t flip = (d.MirrorMode ^ target) & 3;
    if (flip == 0) return;
    const bool horizontal = flip & 1;
    const bool vertical = flip & 2;
    const std::size_t last =
        firstFrameOnly ? std::min<std::size_t>(1, d.Frames.size()) : d.Frames.size();
    for (std::size_t i = from; i < last; ++i) {
        FrameRecord& r = d.Frames[i];
        // Columns that do not lie inside the strip (frames not built) are left alone.
        if (!d.Strip.Empty() && r.StripX >= 0 && r.Width <= d.Strip.Width() - r.StripX &&
            r.Height <= d.Strip.Height()) {
            FlipColumn(d.Strip, r, horizontal, vertical);
        }
        if (horizontal) r.Left = d.CanvasWidth - (r.Left + r.Width);
        if (vertical) r.Top = d.CanvasHeight - (r.Top + r.Height);
    }
    if (includeCanvas && !d.Canvas.Empty()) {
        FlipCanvas(d.Canvas, horizontal, vertical);
        if (!d.Mask.Empty()) FlipMask(d.Mask, horizontal, vertical);
    }
}

}  // namespace anigif
