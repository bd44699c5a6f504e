#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/dib.h"
#include "raster/frame_strip.h"
#include "raster/surface.h"

namespace anigif {

// A rectangle of pixels in 64 bits, so that offsets and scaled sizes never overflow on the way
// to being clipped. Width and height may be negative in a stretch source (mirroring).
struct PixelRect {
    std::int64_t X = 0;
    std::int64_t Y = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

// Something to copy from: the strip's columns (indices through a table of 0xAARRGGBB colours,
// alpha 0 for a transparent index), the canvas (colours) or the mask (1 = nothing drawn).
struct PixelSource {
    enum class Kind : std::uint8_t { Indexed, Rgb, Mono };
    Kind kind = Kind::Indexed;
    const std::uint8_t* top = nullptr;  // row 0
    std::ptrdiff_t stride = 0;          // from row y to row y + 1; negative for bottom-up storage
    std::int32_t width = 0;
    std::int32_t height = 0;
    const std::uint32_t* table = nullptr;  // Indexed: 256 colours

    const std::uint8_t* Row(std::int64_t y) const { return top + y * stride; }
};

// Something to copy to: the control's surface, the canvas or the mask.
struct PixelTarget {
    enum class Kind : std::uint8_t { Surface, Rgb, Mono };
    Kind kind = Kind::Surface;
    std::uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::uint8_t* Row(std::int64_t y) const { return top + y * stride; }
};

PixelSource SourceOf(const Dib24& canvas);
PixelSource SourceOf(const Dib1& mask);
// Column i of the strip through `table` (256 entries); empty when there is no column i.
PixelSource ColumnSource(const FrameStrip& strip, std::size_t i, const std::uint32_t* table);

PixelTarget TargetOf(Surface32& surface);
PixelTarget TargetOf(Dib24& canvas);
PixelTarget TargetOf(Dib1& mask);

// Far beyond any bitmap, far below where sums of two coordinates could overflow.
inline constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 40;

inline std::int64_t ClampCoordinate(std::int64_t v) {
    return v < -kCoordinateLimit ? -kCoordinateLimit : v > kCoordinateLimit ? kCoordinateLimit : v;
}

inline PixelRect ClampRect(const PixelRect& r) {
    return {ClampCoordinate(r.X), ClampCoordinate(r.Y), ClampCoordinate(r.Width),
            ClampCoordinate(r.Height)};
}

}  // namespace anigif
