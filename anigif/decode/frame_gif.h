#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "decode/build_frames.h"

namespace anigif {

// Room for a frame's data plus header, palette, graphic control extension, a block terminator
// the stream may lack, and the trailer.
inline constexpr std::size_t kFrameGifOverhead = 791;

// Writes the header of the one-frame GIFs into FrameGifBuffer (sized for the longest frame):
// the stream's signature and screen descriptor with a 256-entry identity global table.
void PrepareFrameGifBuffer(FrameSource& d, std::int32_t longestSpan);

// Assembles frame `index` as a one-frame GIF in FrameGifBuffer and returns the bytes used. The
// frame moves to (0, 0), the screen takes its size, a local table becomes the identity, and the
// transparency flag is cleared: transparency is applied when drawing.
std::span<const std::uint8_t> AssembleFrameGif(const GifAnimation& a, FrameSource& d,
                                               std::size_t index);

}  // namespace anigif
