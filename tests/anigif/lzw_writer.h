#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// Appends `data` as data sub-blocks of `blockSize` bytes and the terminator.
inline void SubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data,
                      std::size_t blockSize = 255) {
    for (std::size_t at = 0; at < data.size(); at += blockSize) {
        const std::size_t n = std::min(blockSize, data.size() - at);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + n));
    }
    out.push_back(0);
}

// Writes the LZW streams the product's encoder never makes: any minimum code size (a bad one
// too), clear codes only where asked, so that once the table is full the codes go on at 12 bits
// and add nothing (a deferred clear), and raw codes to break the data. Each pixel is its own
// literal code; compressed strings are the encoder's part. It follows the decoder's table, which
// every code after the first adds to, to know each code's width.
class LzwWriter {
  public:
    explicit LzwWriter(int minBits) : minBits_(minBits) { Reset(); }

    LzwWriter& Clear() {
        Code(1u << minBits_);
        Reset();
        return *this;
    }
    LzwWriter& End() { return Code((1u << minBits_) + 1); }
    LzwWriter& Code(unsigned code) {  // as it is, at the current width
        for (int b = 0; b < width_; ++b, ++bitCount_) {
            if (bitCount_ % 8 == 0) bytes_.push_back(0);
            bytes_.back() |= std::uint8_t(((code >> b) & 1) << (bitCount_ % 8));
        }
        return *this;
    }
    LzwWriter& Pixels(const std::vector<std::uint8_t>& pixels) {
        for (const std::uint8_t p : pixels) {
            Code(p);
            if (hasPrevious_ && next_ < 4096) ++next_;
            hasPrevious_ = true;
            if (next_ == (1u << width_) && width_ < 12) ++width_;
        }
        return *this;
    }

    unsigned NextFree() const { return next_; }  // the decoder's next free code
    std::size_t BitCount() const { return bitCount_; }
    // The minimum code size byte, the codes in sub-blocks of `blockSize` bytes and the terminator.
    std::vector<std::uint8_t> Data(std::size_t blockSize = 255) const {
        std::vector<std::uint8_t> out{std::uint8_t(minBits_)};
        SubBlocks(out, bytes_, blockSize);
        return out;
    }

  private:
    void Reset() {
        width_ = minBits_ + 1;
        next_ = (1u << minBits_) + 2;
        hasPrevious_ = false;
    }

    int minBits_, width_ = 0;
    unsigned next_ = 0;
    bool hasPrevious_ = false;
    std::vector<std::uint8_t> bytes_;
    std::size_t bitCount_ = 0;
};
