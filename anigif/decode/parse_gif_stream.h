#pragma once

#include <cstdint>

#include "decode/ani_gif_data.h"

namespace anigif {

// Streams longer than this are not parsed: every offset of a frame record must fit 32 bits.
inline constexpr std::size_t kMaxGifStreamBytes = 0x7fffffff;

// Turns GifBytes into Frames, FrameSpans, ColorTables, the canvas size and LoopCount, and returns
// the number of frames (0 when the stream is no GIF, or a frame has no colour table at all). A
// stream that ends inside a block keeps the frames accepted before. Pixels are not touched.
std::int32_t ParseGifStream(AniGifData& d);

// "GIF87a" or "GIF89a" in any letter case.
bool IsGifSignature(const std::uint8_t* sixBytes);

}  // namespace anigif
