#include "render/draw_frame.h"

#include <algorithm>

#include "raster/fill.h"
#include "raster/paint_picture.h"
#include "render/compose_frame.h"
#include "render/compute_scale.h"
#include "render/frame_colors.h"

namespace anigif {

namespace {

// A colour given as red + green * 256 + blue * 65536, or a system colour when bit 31 is set, in
// the raster's red * 65536 + green * 256 + blue.
std::uint32_t ResolveColor(std::uint32_t value) {
    if (value & 0x80000000u) return SystemColor(static_cast<int>(value & 0xFF));
    return (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
}

}  // namespace

bool DrawCurrentFrame(const GifAnimation& a, Compositor& c, const GifView& v, std::int32_t n,
                      const PixelTarget& target, std::int32_t clientWidth,
                      std::int32_t clientHeight, std::uint32_t background) {
    const double sx = v.ScaleFactorX;
    const double sy = v.ScaleFactorY;
    Underlay under;
    under.Color = background;
    const FrameRecord* r = FrameAt(a, n);
    if (r && v.SolidBkgColorUsed) {
        // The canvas never gets it: it would cover what earlier frames left there.
        under.HasSolid = true;
        under.Solid = 0xFF000000u | ResolveColor(v.SolidBkgColor);
        under.SolidRect = {0, 0, NearestPosition(sx * a.CanvasWidth),
                           NearestPosition(sy * a.CanvasHeight)};
    }
    const bool stretch = sx != 1.0 || sy != 1.0;
    Picture picture;
    PixelRect dest, source;
    const auto index = static_cast<std::size_t>(n - 1);
    if (!r) {
        // Only the background.
    } else if (c.Canvas.Empty()) {
        // A frame not decoded yet has nothing to show; its column is never read.
        if (n <= a.FramesBuilt && index < a.Strip.ColumnCount()) {
            picture.Pixels = ColumnSource(a.Strip, index, FrameColors(a, c, *r).data());
            dest = {v.OffsetX + NearestPosition(sx * r->Left),
                    v.OffsetY + NearestPosition(sy * r->Top), NearestPosition(sx * r->Width),
                    NearestPosition(sy * r->Height)};
            source = {0, 0, r->Width, r->Height};
        }
    } else {
        // Unscaled, the new frame's rows are laid on the canvas as the paint reaches them: one
        // pass over the memory instead of two.
        const bool layRows = AdvanceCanvas(a, c, n, stretch);
        picture.Pixels = SourceOf(c.Canvas);
        if (!c.Mask.Empty()) picture.Mask = SourceOf(c.Mask);
        // The composed picture fills the control, shifted by the offsets.
        dest = {v.OffsetX, v.OffsetY, clientWidth, clientHeight};
        source = stretch ? PixelRect{0, 0, a.CanvasWidth, a.CanvasHeight} : PixelRect{};
        if (layRows) {
            const SourceRows painted =
                PaintPicture(target, dest, picture, source, false, under,
                             [&](std::int64_t y) { LayFramePixels(a, c, n, y, y + 1); });
            // The rows the control does not show are laid all the same.
            LayFramePixels(a, c, n, INT64_MIN, painted.First);
            LayFramePixels(a, c, n, std::max(painted.First, painted.Last), INT64_MAX);
            return true;
        }
    }
    PaintPicture(target, dest, picture, source, stretch, under);
    return r != nullptr;
}

}  // namespace anigif
