#pragma once

#include <cstdint>

#include "decode/ani_gif_data.h"

namespace anigif {

// Thrown by the readers when the stream ends inside a block; ParseGifStream catches it and keeps
// the frames accepted before.
struct GifStreamEnd {};

// The readers work on GifBytes at ReadPos and advance it. None reads outside GifBytes.
std::uint8_t ReadGifByte(AniGifData& d);
// Unsigned 16-bit, little-endian.
std::uint16_t ReadGifWord(AniGifData& d);
// ReadBuffer becomes n bytes. They are zero, and ReadPos stays, when fewer than n remain.
void ReadGifBlock(AniGifData& d, std::size_t n);
// Reads 2^bits entries of red, green, blue into ColorTables[table], growing ColorTables as needed.
void ReadColorTable(AniGifData& d, std::size_t table, int bits);
// Steps over a chain of data sub-blocks and its terminator; a chain cut off by the end of the
// stream ends quietly.
void SkipSubBlocks(AniGifData& d);

}  // namespace anigif
