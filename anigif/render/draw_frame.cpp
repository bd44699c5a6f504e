#include "render/draw_frame.h"

#include "raster/blit.h"
#include "raster/fill.h"
#include "raster/fused_blit.h"
#include "render/compose_frame.h"
#include "render/compute_scale.h"
#include "render/strip_tables.h"

namespace anigif {

namespace {

void Copy(const PixelTarget& target, const PixelRect& dest, const PixelSource& src,
          const PixelRect& source, bool stretch, RasterOp op) {
    if (stretch) {
        StretchBltHalftone(target, dest, src, source, op);
    } else {
        BitBlt(target, dest, src, source.X, source.Y, op);
    }
}

// A colour given as red + green * 256 + blue * 65536, or a system colour when bit 31 is set, in
// the raster's red * 65536 + green * 256 + blue.
std::uint32_t ResolveColor(std::uint32_t value) {
    if (value & 0x80000000u) return SystemColor(static_cast<int>(value & 0xFF));
    return (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
}

}  // namespace

void BlitFrame(AniGifData& d, std::int32_t n, const PixelTarget& target, bool stretch,
               const PixelRect& dest) {
    if (dest.Width <= 0 || dest.Height <= 0 || n == 0) return;
    if (d.SolidBkgColorUsed && target.kind == PixelTarget::Kind::Surface) {
        const PixelRect background{0, 0, NearestPosition(double(d.ScaleFactorX) * d.CanvasWidth),
                                   NearestPosition(double(d.ScaleFactorY) * d.CanvasHeight)};
        FillRect(target, background, ResolveColor(d.SolidBkgColor));
    }

    if (n < 0) {
        if (d.Canvas.Empty()) return;
        const PixelRect source =
            stretch ? PixelRect{0, 0, d.CanvasWidth, d.CanvasHeight} : PixelRect{};
        if (d.Mask.Empty()) {
            Copy(target, dest, SourceOf(d.Canvas), source, stretch, RasterOp::SrcCopy);
            return;
        }
        if (!stretch) {
            BitBltMasked(target, dest, SourceOf(d.Mask), SourceOf(d.Canvas), 0, 0);
            return;
        }
        Copy(target, dest, SourceOf(d.Mask), source, stretch, RasterOp::SrcAnd);
        Copy(target, dest, SourceOf(d.Canvas), source, stretch, RasterOp::SrcPaint);
        return;
    }

    const auto index = static_cast<std::size_t>(n - 1);
    // A frame not decoded yet has nothing to show; its column is never read.
    if (index >= d.Frames.size() || n > d.FramesBuilt || index >= d.Strip.ColumnCount()) return;
    const FrameRecord& r = d.Frames[index];
    const PixelRect source{0, 0, r.Width, r.Height};
    RasterOp op = RasterOp::SrcCopy;
    if (r.HasTransparency == 1) {
        LoadMaskTable(d, r);
        Copy(target, dest, ColumnSource(d.Strip, index), source, stretch, RasterOp::SrcAnd);
        op = RasterOp::SrcPaint;
    }
    LoadColorTable(d, r);
    Copy(target, dest, ColumnSource(d.Strip, index), source, stretch, op);
}

bool DrawCurrentFrame(AniGifData& d, std::int32_t n, const PixelTarget& target,
                      std::int32_t clientWidth, std::int32_t clientHeight) {
    if (n < 1 || static_cast<std::size_t>(n) > d.Frames.size()) return false;
    const bool stretch = d.ScaleFactorX != 1.0f || d.ScaleFactorY != 1.0f;
    if (d.Canvas.Empty()) {
        const FrameRecord& r = d.Frames[static_cast<std::size_t>(n - 1)];
        // Offsets are in canvas pixels here, scaled together with the frame.
        const double sx = d.ScaleFactorX;
        const double sy = d.ScaleFactorY;
        BlitFrame(d, n, target, stretch,
                  {NearestPosition(sx * (double(d.OffsetX) + r.Left)),
                   NearestPosition(sy * (double(d.OffsetY) + r.Top)), NearestPosition(sx * r.Width),
                   NearestPosition(sy * r.Height)});
    } else {
        AdvanceCanvas(d, n);
        // The composed picture is shifted by unscaled offsets into the whole control.
        BlitFrame(d, -n, target, stretch, {d.OffsetX, d.OffsetY, clientWidth, clientHeight});
    }
    return true;
}

}  // namespace anigif
