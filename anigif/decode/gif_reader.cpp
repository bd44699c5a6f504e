#include "decode/gif_reader.h"

namespace anigif {

std::uint8_t GifReader::Byte() {
    if (!Available(1)) throw GifStreamEnd{};
    return bytes_[static_cast<std::size_t>(Pos++)];
}

std::uint16_t GifReader::Word() {
    if (!Available(2)) throw GifStreamEnd{};
    const auto at = static_cast<std::size_t>(Pos);
    Pos += 2;
    return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
}

std::span<const std::uint8_t> GifReader::Block(std::size_t n) {
    if (!Available(static_cast<std::int64_t>(n))) return {};
    const auto block = bytes_.subspan(static_cast<std::size_t>(Pos), n);
    Pos += static_cast<std::int64_t>(n);
    return block;
}

void GifReader::ReadColorTable(ColorTable& t, int bits) {
    const std::size_t entries = std::size_t{1} << bits;
    if (!Available(static_cast<std::int64_t>(3 * entries))) throw GifStreamEnd{};
    const std::uint8_t* rgb = bytes_.data() + Pos;
    for (std::size_t i = 0; i < entries; ++i, rgb += 3) {
        t[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
    }
    t[kColorTableCountSlot] = static_cast<std::uint32_t>(entries);
    Pos += static_cast<std::int64_t>(3 * entries);
}

void GifReader::SkipSubBlocks() {
    const std::uint8_t* bytes = bytes_.data();
    while (Pos >= 0 && Pos < Size()) {
        // Each step depends on the byte it reads; fetching ahead keeps long image data from
        // costing a memory round trip per sub-block.
        if (Pos + 1024 < Size()) __builtin_prefetch(bytes + Pos + 1024);
        const std::uint8_t size = bytes[static_cast<std::size_t>(Pos)];
        if (size == 0) break;
        Pos += size + 1;
    }
    Pos += 1;
}

}  // namespace anigif
