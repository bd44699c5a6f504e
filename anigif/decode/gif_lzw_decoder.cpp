#include "decode/gif_lzw_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace anigif {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr std::uint32_t kTableSize = 1u << kMaxCodeBits;

// The data sub-blocks as one little-endian bit stream, read from where they lie.
class SubBlockBits {
  public:
    SubBlockBits(std::span<const std::uint8_t> stream, std::size_t at)
        : bytes_(stream.data()), end_(stream.size()), next_(at), blockEnd_(at) {}

    // The next `width` bits as a code; false when the data has ended first.
    bool Take(int width, std::uint32_t& code) {
        if (count_ < width) {
            Refill();
            if (count_ < width) return false;
        }
        code = static_cast<std::uint32_t>(bits_) & ((1u << width) - 1);
        bits_ >>= width;
        count_ -= width;
        return true;
    }

  private:
    void Refill() {
        while (count_ < 56) {
            if (next_ < blockEnd_) {
                if (blockEnd_ - next_ >= 8) {
                    // Whole bytes up to 56 bits at once while the sub-block has them.
                    std::uint64_t word = 0;
                    std::memcpy(&word, bytes_ + next_, 8);
                    const int take = (63 - count_) >> 3;
                    bits_ |= (word & ((std::uint64_t{1} << (take * 8)) - 1)) << count_;
                    next_ += static_cast<std::size_t>(take);
                    count_ += take * 8;
                } else {
                    bits_ |= std::uint64_t{bytes_[next_++]} << count_;
                    count_ += 8;
                }
                continue;
            }
            // A size byte of 0 ends the chain; a stream cut inside a sub-block ends it too,
            // after the bytes that are there.
            if (next_ >= end_ || bytes_[next_] == 0) return;
            const std::size_t size = bytes_[next_++];
            blockEnd_ = std::min(next_ + size, end_);
        }
    }

    const std::uint8_t* bytes_;
    std::size_t end_;
    std::size_t next_;      // next byte to read
    std::size_t blockEnd_;  // end of the current sub-block's data
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// Copies an earlier string of the output to `to`, cut at `total`. The source lies wholly before
// `to`; whole 16-byte chunks are copied while they fit, each read before it is written, so a
// source that ends right where `to` starts is still copied correctly.
inline void CopyEarlier(std::uint8_t* out, std::size_t to, std::size_t from, std::size_t length,
                        std::size_t total) {
    if (to + length + 16 <= total) {
        for (std::size_t k = 0; k < length; k += 16) {
            std::uint8_t chunk[16];
            std::memcpy(chunk, out + from + k, 16);
            std::memcpy(out + to + k, chunk, 16);
        }
        return;
    }
    std::memcpy(out + to, out + from, std::min(length, total - to));
}

}  // namespace

std::size_t DecodeGifLzw(std::span<const std::uint8_t> stream, std::size_t at,
                         std::span<std::uint8_t> pixels) {
    if (at >= stream.size()) return 0;
    const int minBits = stream[at];
    if (minBits < 2 || minBits > 8) return 0;
    const std::uint32_t clear = 1u << minBits;
    const std::uint32_t end = clear + 1;

    // Every string of the table is a copy of an earlier stretch of the output: where it starts
    // and how long it is. Literals are written as they come.
    std::array<std::uint32_t, kTableSize> start;
    std::array<std::uint16_t, kTableSize> length;

    SubBlockBits bits(stream, at + 1);
    std::uint8_t* out = pixels.data();
    // Table entries hold output offsets in 32 bits; no frame the raster takes is larger.
    const std::size_t total = std::min<std::size_t>(pixels.size(), UINT32_MAX);
    std::size_t o = 0;
    int width = minBits + 1;
    std::uint32_t next = end + 1;
    std::size_t prevAt = 0;
    std::size_t prevLength = 0;  // 0: no previous string since the last clear
    std::uint32_t code = 0;
    while (o < total && bits.Take(width, code)) {
        std::size_t n = 0;
        if (code < clear) {
            out[o] = static_cast<std::uint8_t>(code);
            n = 1;
        } else if (code == clear) {
            width = minBits + 1;
            next = end + 1;
            prevLength = 0;
            continue;
        } else if (code == end) {
            break;
        } else if (code < next) {
            n = length[code];
            CopyEarlier(out, o, start[code], n, total);
        } else if (code == next && prevLength != 0) {
            // The string being defined: the previous one and its own first pixel.
            n = prevLength + 1;
            CopyEarlier(out, o, prevAt, prevLength, total);
            if (o + prevLength < total) out[o + prevLength] = out[prevAt];
        } else {
            break;
        }
        if (prevLength != 0 && next < kTableSize) {
            start[next] = static_cast<std::uint32_t>(prevAt);
            length[next] = static_cast<std::uint16_t>(prevLength + 1);
            ++next;
            if (next == (1u << width) && width < kMaxCodeBits) ++width;
        }
        prevAt = o;
        prevLength = n;
        o += n;
    }
    return std::min(o, total);
}

}  // namespace anigif
