#include "decode/gif_reader.h"

#include <algorithm>

namespace anigif {

namespace {

std::int64_t StreamSize(const AniGifData& d) {
    return static_cast<std::int64_t>(d.GifBytes.size());
}

bool Available(const AniGifData& d, std::int64_t n) {
    return d.ReadPos >= 0 && n >= 0 && d.ReadPos <= StreamSize(d) - n;
}

}  // namespace

std::uint8_t ReadGifByte(AniGifData& d) {
    if (!Available(d, 1)) throw GifStreamEnd{};
    return d.GifBytes[static_cast<std::size_t>(d.ReadPos++)];
}

std::uint16_t ReadGifWord(AniGifData& d) {
    if (!Available(d, 2)) throw GifStreamEnd{};
    const auto at = static_cast<std::size_t>(d.ReadPos);
    d.ReadPos += 2;
    return static_cast<std::uint16_t>(d.GifBytes[at] | (d.GifBytes[at + 1] << 8));
}

void ReadGifBlock(AniGifData& d, std::size_t n) {
    d.ReadBuffer.assign(n, 0);
    if (!Available(d, static_cast<std::int64_t>(n))) return;
    std::copy_n(d.GifBytes.begin() + d.ReadPos, n, d.ReadBuffer.begin());
    d.ReadPos += static_cast<std::int64_t>(n);
}

void ReadColorTable(AniGifData& d, std::size_t table, int bits) {
    if (d.ColorTables.size() <= table) d.ColorTables.resize(table + 1, ColorTable{});
    const std::size_t entries = std::size_t{1} << bits;
    if (!Available(d, static_cast<std::int64_t>(3 * entries))) throw GifStreamEnd{};
    ColorTable& t = d.ColorTables[table];
    const std::uint8_t* rgb = d.GifBytes.data() + d.ReadPos;
    for (std::size_t i = 0; i < entries; ++i, rgb += 3) {
        t[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
    }
    t[kColorTableCountSlot] = static_cast<std::uint32_t>(entries);
    d.ReadPos += static_cast<std::int64_t>(3 * entries);
}

void SkipSubBlocks(AniGifData& d) {
    const std::uint8_t* bytes = d.GifBytes.data();
    while (d.ReadPos >= 0 && d.ReadPos < StreamSize(d)) {
        // Each step depends on the byte it reads; fetching ahead keeps long image data from
        // costing a memory round trip per sub-block.
        if (d.ReadPos + 1024 < StreamSize(d)) __builtin_prefetch(bytes + d.ReadPos + 1024);
        const std::uint8_t size = bytes[static_cast<std::size_t>(d.ReadPos)];
        if (size == 0) break;
        d.ReadPos += size + 1;
    }
    d.ReadPos += 1;
}

}  // namespace anigif
