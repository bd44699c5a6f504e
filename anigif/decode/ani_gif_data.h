#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "decode/frame_record.h"
#include "render/dib.h"

namespace anigif {

// Everything one ucAniGIF instance knows about its animation. Decode and render are functions over
// it; the control owns it.
struct AniGifData {
    // Raw stream and reader state. ReadPos is a 0-based offset; it may run past the end, and the
    // readers check it before every access.
    std::vector<std::uint8_t> GifBytes;
    std::int64_t ReadPos = 0;
    std::vector<std::uint8_t> ReadBuffer;
    std::vector<FrameSpan> FrameSpans;  // one per frame until building ends

    // Animation-wide values. The canvas is the union of all frames, not the header's screen.
    std::int32_t CanvasWidth = 0;
    std::int32_t CanvasHeight = 0;
    std::int32_t LoopCount = 0;  // 0 = endless
    std::vector<FrameRecord> Frames;
    std::vector<ColorTable> ColorTables;  // 0 = global, then local tables in stream order
    // While parsing: local tables read so far. After building: the table loaded into the strip's
    // colour table, -1 for none.
    std::int32_t LastColorTable = 0;

    // All frames side by side, as colour indices.
    Dib8 Strip;
    // Composition canvas and its mask; empty when the animation is drawn straight from the strip.
    Dib24 Canvas;
    Dib1 Mask;
    std::optional<DibColorTable> MaskPalette;

    // The one-frame GIF that each frame is decoded from; lives while frames are being built.
    std::vector<std::uint8_t> FrameGifBuffer;

    std::int32_t CurrentFrame = 0;  // 0 while nothing is loaded
    float ScaleFactorX = 0;
    float ScaleFactorY = 0;
    std::int32_t MirrorMode = 0;  // bit 0 horizontal, bit 1 vertical
    bool FirstFrameMirrored = false;
};

}  // namespace anigif
