#include "raster/pixel_views.h"

namespace anigif {

namespace {

template <class View, class Bitmap>
View BottomUp(Bitmap& dib) {
    View v;
    if (dib.Empty()) return v;
    v.top = dib.Row(0);
    v.stride = -static_cast<std::ptrdiff_t>(dib.RowBytes());
    v.width = dib.Width();
    v.height = dib.Height();
    return v;
}

}  // namespace

PixelSource SourceOf(const Dib24& canvas) {
    PixelSource s = BottomUp<PixelSource>(canvas);
    s.kind = PixelSource::Kind::Rgb;
    return s;
}

PixelSource SourceOf(const Dib1& mask) {
    PixelSource s = BottomUp<PixelSource>(mask);
    s.kind = PixelSource::Kind::Mono;
    return s;
}

PixelSource ColumnSource(const FrameStrip& strip, std::size_t i, const std::uint32_t* table) {
    PixelSource s;
    if (i >= strip.ColumnCount()) return s;
    s.kind = PixelSource::Kind::Indexed;
    s.top = strip.ColumnRow(i, 0);
    s.stride = strip.ColumnWidth(i);
    s.width = strip.ColumnWidth(i);
    s.height = strip.ColumnHeight(i);
    s.table = table;
    return s;
}

PixelTarget TargetOf(Surface32& surface) {
    PixelTarget t;
    t.kind = PixelTarget::Kind::Surface;
    if (surface.Width() == 0 || surface.Height() == 0) return t;
    t.top = reinterpret_cast<std::uint8_t*>(surface.Row(0));
    t.stride = static_cast<std::ptrdiff_t>(surface.Width()) * 4;
    t.width = surface.Width();
    t.height = surface.Height();
    return t;
}

PixelTarget TargetOf(Dib24& canvas) {
    PixelTarget t = BottomUp<PixelTarget>(canvas);
    t.kind = PixelTarget::Kind::Rgb;
    return t;
}

PixelTarget TargetOf(Dib1& mask) {
    PixelTarget t = BottomUp<PixelTarget>(mask);
    t.kind = PixelTarget::Kind::Mono;
    return t;
}

}  // namespace anigif
