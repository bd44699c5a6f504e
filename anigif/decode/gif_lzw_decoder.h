#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace anigif {

// Decodes GIF LZW image data straight from the stream: `stream[at]` is the minimum code size,
// followed by the data sub-blocks. Colour indices go to `pixels` in stream order, one after the
// other, until it is full. Returns how many pixels the data delivered; the rest of `pixels` may
// have been written over.
//
// Decoding ends quietly, keeping every pixel so far, at the end code, a code above the next free
// one, the end of the sub-blocks or the end of the stream (inside a sub-block too: the bytes that
// are there still count). A minimum code size outside 2..8 delivers nothing. Once the table holds
// 4096 entries, codes go on at 12 bits and add nothing until the next clear code. Data after the
// last pixel is not read.
std::size_t DecodeGifLzw(std::span<const std::uint8_t> stream, std::size_t at,
                         std::span<std::uint8_t> pixels);

}  // namespace anigif
