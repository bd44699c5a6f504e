#include "gif_builder.h"

#include <algorithm>

namespace {

std::vector<std::uint8_t> EncodeLzw(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
    const unsigned clear = 1u << minCodeSize;
    const unsigned width = minCodeSize + 1;
    // After a clear the decoder's next free code is clear + 2; stay well below the width change.
    const std::size_t perClear = std::max<std::size_t>(1, clear - 3);
    std::vector<std::uint8_t> out;
    unsigned long acc = 0;
    unsigned bits = 0;
    auto put = [&](unsigned code) {
        acc |= static_cast<unsigned long>(code) << bits;
        bits += width;
        while (bits >= 8) {
            out.push_back(static_cast<std::uint8_t>(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i % perClear == 0) put(clear);
        put(pixels[i] & (clear - 1));
    }
    put(clear + 1);
    if (bits > 0) out.push_back(static_cast<std::uint8_t>(acc & 0xFF));
    return out;
}

std::vector<std::uint8_t> InterlaceOrder(const std::vector<std::uint8_t>& pixels, int w, int h) {
    std::vector<std::uint8_t> out;
    out.reserve(pixels.size());
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < h; y += kStep[pass]) {
            out.insert(out.end(), pixels.begin() + y * w, pixels.begin() + (y + 1) * w);
        }
    }
    return out;
}

}  // namespace

void GifBuilder::Word(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void GifBuilder::SubBlocks(const std::vector<std::uint8_t>& data) {
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        bytes_.push_back(static_cast<std::uint8_t>(n));
        bytes_.insert(bytes_.end(), data.begin() + at, data.begin() + at + n);
    }
    bytes_.push_back(0);
}

std::vector<std::uint8_t> GifBuilder::Table(int bits) {
    std::vector<std::uint8_t> t;
    for (int i = 0; i < (1 << bits); ++i) {
        t.push_back(static_cast<std::uint8_t>(i));
        t.push_back(static_cast<std::uint8_t>(255 - i));
        t.push_back(static_cast<std::uint8_t>(i * 3));
    }
    return t;
}

std::vector<std::uint8_t> GifBuilder::Pattern(int width, int height, int bits, int seed) {
    std::vector<std::uint8_t> p;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p.push_back(static_cast<std::uint8_t>((x * 7 + y * 3 + seed) & ((1 << bits) - 1)));
        }
    }
    return p;
}

GifBuilder& GifBuilder::Header(std::string_view signature, std::uint16_t width,
                               std::uint16_t height, int globalBits) {
    bytes_.insert(bytes_.end(), signature.begin(), signature.end());
    Word(width);
    Word(height);
    bytes_.push_back(globalBits > 0 ? static_cast<std::uint8_t>(0xF0 | (globalBits - 1)) : 0x70);
    bytes_.push_back(0);  // background
    bytes_.push_back(0);  // aspect
    if (globalBits > 0) {
        const auto t = Table(globalBits);
        bytes_.insert(bytes_.end(), t.begin(), t.end());
    }
    return *this;
}

GifBuilder& GifBuilder::Netscape(std::uint16_t loops, std::string_view id,
                                 std::uint8_t subBlockSize) {
    bytes_.push_back(0x21);
    bytes_.push_back(0xFF);
    bytes_.push_back(static_cast<std::uint8_t>(id.size()));
    bytes_.insert(bytes_.end(), id.begin(), id.end());
    bytes_.push_back(subBlockSize);
    std::vector<std::uint8_t> sub(subBlockSize, 0);
    if (subBlockSize >= 1) sub[0] = 1;
    if (subBlockSize >= 3) {
        sub[1] = static_cast<std::uint8_t>(loops & 0xFF);
        sub[2] = static_cast<std::uint8_t>(loops >> 8);
    }
    bytes_.insert(bytes_.end(), sub.begin(), sub.end());
    bytes_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, std::uint16_t delayCs,
                                       std::optional<std::uint8_t> transparent,
                                       std::uint8_t blockSize) {
    bytes_.push_back(0x21);
    bytes_.push_back(0xF9);
    bytes_.push_back(blockSize);
    bytes_.push_back(static_cast<std::uint8_t>(((disposal & 7) << 2) | (transparent ? 1 : 0)));
    Word(delayCs);
    bytes_.push_back(transparent.value_or(0));
    for (int i = 4; i < blockSize; ++i) bytes_.push_back(0xEE);
    bytes_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Image(std::uint16_t left, std::uint16_t top, std::uint16_t width,
                              std::uint16_t height, const std::vector<std::uint8_t>& pixels,
                              int localBits, bool interlaced) {
    bytes_.push_back(0x2C);
    Word(left);
    Word(top);
    Word(width);
    Word(height);
    std::uint8_t packed = interlaced ? 0x40 : 0;
    if (localBits > 0) packed |= static_cast<std::uint8_t>(0x80 | (localBits - 1));
    bytes_.push_back(packed);
    if (localBits > 0) {
        const auto t = Table(localBits);
        bytes_.insert(bytes_.end(), t.begin(), t.end());
    }
    const int minCodeSize = 8;
    bytes_.push_back(static_cast<std::uint8_t>(minCodeSize));
    SubBlocks(EncodeLzw(interlaced ? InterlaceOrder(pixels, width, height) : pixels, minCodeSize));
    return *this;
}

GifBuilder& GifBuilder::Comment(std::string_view text) {
    bytes_.push_back(0x21);
    bytes_.push_back(0xFE);
    SubBlocks(std::vector<std::uint8_t>(text.begin(), text.end()));
    return *this;
}

GifBuilder& GifBuilder::Raw(std::vector<std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::Trailer() {
    bytes_.push_back(0x3B);
    return *this;
}
