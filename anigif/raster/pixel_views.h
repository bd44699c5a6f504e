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

// Something to copy from: the strip's columns (indices through a colour table), the canvas
// (colours) or the mask (0 black / 1 white).
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
// Column i of the strip through the strip's current colour table; empty when there is none.
PixelSource ColumnSource(const FrameStrip& strip, std::size_t i);

PixelTarget TargetOf(Surface32& surface);
PixelTarget TargetOf(Dib24& canvas);
PixelTarget TargetOf(Dib1& mask);

}  // namespace anigif
