#include "gif_builder.h"

#include "lzw_writer.h"

namespace {

using Buf = std::vector<std::uint8_t>;

void Word(Buf& out, std::uint16_t v) {
    out.insert(out.end(), {std::uint8_t(v & 0xFF), std::uint8_t(v >> 8)});
}

// Entry i is (i, 255 - i, i * 3 mod 256).
void Table(Buf& out, int bits) {
    for (int i = 0; i < (1 << bits); ++i)
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3)});
}

}  // namespace

GifBuilder& GifBuilder::Header(std::string_view signature, std::uint16_t width,
                               std::uint16_t height, int globalBits) {
    bytes_.insert(bytes_.end(), signature.begin(), signature.end());
    for (const std::uint16_t v : {width, height}) Word(bytes_, v);
    // Packed fields, background index, aspect ratio.
    Raw({std::uint8_t(globalBits > 0 ? 0xF0 | (globalBits - 1) : 0x70), 0, 0});
    if (globalBits > 0) Table(bytes_, globalBits);
    return *this;
}

GifBuilder& GifBuilder::Netscape(std::uint16_t loops, std::string_view id,
                                 std::uint8_t subBlockSize) {
    Raw({0x21, 0xFF, std::uint8_t(id.size())});
    bytes_.insert(bytes_.end(), id.begin(), id.end());
    Buf sub = {1, std::uint8_t(loops & 0xFF), std::uint8_t(loops >> 8)};
    sub.resize(subBlockSize, 0);
    SubBlocks(bytes_, sub);
    return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, std::uint16_t delayCs,
                                       std::optional<std::uint8_t> transparent) {
    return Raw({0x21, 0xF9, 4, std::uint8_t(((disposal & 7) << 2) | (transparent ? 1 : 0)),
                std::uint8_t(delayCs & 0xFF), std::uint8_t(delayCs >> 8), transparent.value_or(0),
                0});
}

GifBuilder& GifBuilder::Image(std::uint16_t left, std::uint16_t top, std::uint16_t width,
                              std::uint16_t height, const std::vector<std::uint8_t>& pixels,
                              int localBits) {
    bytes_.push_back(0x2C);
    for (const std::uint16_t v : {left, top, width, height}) Word(bytes_, v);
    bytes_.push_back(std::uint8_t(localBits > 0 ? 0x80 | (localBits - 1) : 0));
    if (localBits > 0) Table(bytes_, localBits);
    const Buf data = LzwWriter(8).Clear().Pixels(pixels).End().Data();
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return *this;
}

GifBuilder& GifBuilder::Raw(std::initializer_list<std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes);
    return *this;
}

std::vector<std::uint8_t> GifBuilder::Pattern(int width, int height, int bits, int seed) {
    std::vector<std::uint8_t> p;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.push_back(std::uint8_t((x * 7 + y * 3 + seed) % (1 << bits)));
    return p;
}
