#pragma once

#include <cstdint>
#include <vector>

#include "decode/frame_record.h"
#include "raster/frame_strip.h"

namespace anigif {

// The decoded animation: what a load builds and replaces whole. Drawing only reads it; the
// palette operations change its colour tables and mirroring flips its frames in place.
struct GifAnimation {
    // The canvas is the union of all frames, not the header's screen.
    std::int32_t CanvasWidth = 0;
    std::int32_t CanvasHeight = 0;
    std::int32_t LoopCount = 0;  // 0 = endless
    std::vector<FrameRecord> Frames;
    std::vector<ColorTable> ColorTables;  // 0 = global, then local tables in stream order
    // All frames side by side, as colour indices. Frames from FramesBuilt on are not decoded yet:
    // their columns hold index 0, and drawing, mirroring and export leave them alone.
    FrameStrip Strip;
    std::int32_t FramesBuilt = 0;
};

// Frame n (1-based), or nothing.
inline const FrameRecord* FrameAt(const GifAnimation& a, std::int32_t n) {
    if (n < 1 || static_cast<std::size_t>(n) > a.Frames.size()) return nullptr;
    return &a.Frames[static_cast<std::size_t>(n - 1)];
}

// The frame's colour table, or nothing when the record names a table the stream did not have.
inline const ColorTable* TableOf(const GifAnimation& a, const FrameRecord& r) {
    if (r.ColorTable < 0 || static_cast<std::size_t>(r.ColorTable) >= a.ColorTables.size())
        return nullptr;
    return &a.ColorTables[static_cast<std::size_t>(r.ColorTable)];
}

}  // namespace anigif
