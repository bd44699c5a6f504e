#include "render/compose_frame.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "raster/fill.h"
#include "raster/lay_frame.h"
#include "render/frame_colors.h"

namespace anigif {

namespace {

// The frame's rectangle inside the canvas.
struct Area {
    std::int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::size_t Cells() const { return std::size_t(x1 - x0) * std::size_t(y1 - y0); }
};

Area FrameArea(const Compositor& d, const FrameRecord& r) {
    Area a;
    a.x0 = std::clamp(r.Left, 0, d.Canvas.Width());
    a.y0 = std::clamp(r.Top, 0, d.Canvas.Height());
    a.x1 = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{r.Left} + r.Width, a.x0, d.Canvas.Width()));
    a.y1 = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{r.Top} + r.Height, a.y0, d.Canvas.Height()));
    return a;
}

void SaveArea(Compositor& d, const Area& a) {
    d.SavedCanvas.resize(a.Cells());
    d.SavedMask.resize(d.Mask.Empty() ? 0 : a.Cells());
    const std::size_t w = std::size_t(a.x1 - a.x0);
    for (std::int32_t y = a.y0; y < a.y1; ++y) {
        const std::size_t at = std::size_t(y - a.y0) * w;
        std::copy_n(d.Canvas.Cells(y) + a.x0, w, d.SavedCanvas.begin() + std::ptrdiff_t(at));
        if (!d.Mask.Empty())
            std::copy_n(d.Mask.Row(y) + a.x0, w, d.SavedMask.begin() + std::ptrdiff_t(at));
    }
}

void RestoreArea(Compositor& d, const Area& a) {
    if (d.SavedCanvas.size() != a.Cells()) return;
    const std::size_t w = std::size_t(a.x1 - a.x0);
    for (std::int32_t y = a.y0; y < a.y1; ++y) {
        const std::size_t at = std::size_t(y - a.y0) * w;
        std::copy_n(d.SavedCanvas.begin() + std::ptrdiff_t(at), w, d.Canvas.Cells(y) + a.x0);
        if (!d.Mask.Empty() && d.SavedMask.size() == a.Cells())
            std::copy_n(d.SavedMask.begin() + std::ptrdiff_t(at), w, d.Mask.Row(y) + a.x0);
    }
}

}  // namespace

void ComposeFrame(const GifAnimation& a, Compositor& d, std::int32_t n, ComposePhase phase,
                  bool layPixels) {
    const FrameRecord* found = FrameAt(a, n);
    if (d.Canvas.Empty() || !found) return;
    const FrameRecord& r = *found;
    const Area area = FrameArea(d, r);
    const PixelRect rect{r.Left, r.Top, r.Width, r.Height};

    if (phase == ComposePhase::AfterDisplay) {
        if (r.Disposal == 2) {
            FillRect(TargetOf(d.Canvas), rect, 0x000000);
            FillRect(TargetOf(d.Mask), rect, 0xFFFFFF);
        } else if (r.Disposal == 3) {
            RestoreArea(d, area);
        }
        return;
    }

    if (n == 1) {
        std::memset(d.Canvas.Bits().data(), 0, d.Canvas.Bits().size());
        if (!d.Mask.Empty()) std::memset(d.Mask.Bits().data(), 1, d.Mask.Bits().size());
    }
    if (r.Disposal == 3) SaveArea(d, area);
    if (layPixels) LayFramePixels(a, d, n, INT64_MIN, INT64_MAX);
}

void LayFramePixels(const GifAnimation& a, Compositor& d, std::int32_t n, std::int64_t fromRow,
                    std::int64_t toRow) {
    const FrameRecord* r = FrameAt(a, n);
    const auto index = static_cast<std::size_t>(n - 1);
    // Nothing decoded yet: nothing to lay down.
    if (!r || n > a.FramesBuilt || index >= a.Strip.ColumnCount() || fromRow >= toRow) return;
    LayFrame(TargetOf(d.Canvas), TargetOf(d.Mask), {r->Left, r->Top, r->Width, r->Height},
             ColumnSource(a.Strip, index, FrameColors(a, d, *r).data()),
             r->HasTransparency == 1 ? r->TransIndex : -1, fromRow, toRow);
}

bool AdvanceCanvas(const GifAnimation& a, Compositor& d, std::int32_t n, bool layLast) {
    if (d.Canvas.Empty() || !FrameAt(a, n)) return false;
    if (d.ComposedFrame == n) return false;
    std::int32_t k = 1;
    if (d.ComposedFrame != 0 && n > d.ComposedFrame) {
        ComposeFrame(a, d, d.ComposedFrame, ComposePhase::AfterDisplay);
        k = d.ComposedFrame + 1;
    }
    for (; k <= n; ++k) {
        ComposeFrame(a, d, k, ComposePhase::BeforeDisplay, k < n || layLast);
        if (k < n) ComposeFrame(a, d, k, ComposePhase::AfterDisplay);
    }
    d.ComposedFrame = n;
    return !layLast;
}

}  // namespace anigif
