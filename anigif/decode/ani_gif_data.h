#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "decode/frame_record.h"
#include "raster/dib.h"
#include "raster/frame_strip.h"

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
    // A copy of the tables (and of LastColorTable) taken for a later restore.
    std::vector<ColorTable> ColorTableCache;
    std::int32_t ColorTableCacheLast = 0;
    bool ColorTableCacheValid = false;

    // All frames side by side, as colour indices. Frames from FramesBuilt on are not decoded yet:
    // their columns hold index 0, and drawing, mirroring and export leave them alone.
    FrameStrip Strip;
    std::int32_t FramesBuilt = 0;
    // Composition canvas and its mask; empty when the animation is drawn straight from the strip.
    Dib24 Canvas;
    Dib1 Mask;
    // All black; a mask pass makes the frame's transparent entry white for its own copy only.
    DibColorTable MaskPalette{};
    // The frame whose picture the canvas holds (0: none yet), drawn but not yet disposed of, and
    // what lay under it when its disposal restores the previous picture.
    std::int32_t ComposedFrame = 0;
    std::vector<std::uint32_t> SavedCanvas;
    std::vector<std::uint8_t> SavedMask;

    // The one-frame GIF that each frame is decoded from; lives while frames are being built.
    std::vector<std::uint8_t> FrameGifBuffer;

    std::int32_t CurrentFrame = 0;  // 0 while nothing is loaded
    float ScaleFactorX = 0;
    float ScaleFactorY = 0;
    std::int32_t MirrorMode = 0;  // bit 0 horizontal, bit 1 vertical
    // Shift of the image in pixels, and the optional solid background: a colour red + green * 256
    // + blue * 65536, or a system colour (bit 31 set, index in the low byte).
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    std::uint32_t SolidBkgColor = 0;
    bool SolidBkgColorUsed = false;
};

}  // namespace anigif
