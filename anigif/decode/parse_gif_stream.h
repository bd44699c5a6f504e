#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "decode/gif_animation.h"

namespace anigif {

// Streams longer than this are not parsed: every offset of a frame record must fit 32 bits.
inline constexpr std::size_t kMaxGifStreamBytes = 0x7fffffff;

// What parsing finds: the animation without pixels (canvas size, loop count, frames, colour
// tables) and where each frame's bytes lie for building.
struct ParsedGif {
    GifAnimation Animation;
    std::vector<FrameSpan> FrameSpans;  // one per frame
};

// No frame when the stream is no GIF, or a frame has no colour table at all. A stream that ends
// inside a block keeps the frames accepted before. Pixels are not touched.
ParsedGif ParseGifStream(std::span<const std::uint8_t> bytes);

// "GIF87a" or "GIF89a" in any letter case.
bool IsGifSignature(std::span<const std::uint8_t> sixBytes);

}  // namespace anigif
