#pragma once

#include <cstdint>
#include <span>

#include "decode/frame_record.h"

namespace anigif {

// Thrown by the reader when the stream ends inside a block; ParseGifStream catches it and keeps
// the frames accepted before.
struct GifStreamEnd {};

// The parser's cursor over a stream. Pos is a 0-based offset; it may run past the end, and every
// read checks it first. Nothing is read outside the stream.
class GifReader {
  public:
    explicit GifReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int64_t Pos = 0;

    std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
    std::uint8_t Byte();
    // Unsigned 16-bit, little-endian.
    std::uint16_t Word();
    // The next n bytes; empty, and Pos unmoved, when fewer remain.
    std::span<const std::uint8_t> Block(std::size_t n);
    // Reads 2^bits entries of red, green, blue into `table`.
    void ReadColorTable(ColorTable& table, int bits);
    // Steps over a chain of data sub-blocks and its terminator; a chain cut off by the end of the
    // stream ends quietly.
    void SkipSubBlocks();

  private:
    bool Available(std::int64_t n) const { return Pos >= 0 && n >= 0 && Pos <= Size() - n; }

    std::span<const std::uint8_t> bytes_;
};

}  // namespace anigif
