#include "decode/frame_pixels.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "decode/gif_lzw_decoder.h"

namespace anigif {

namespace {

// Stream row of display row y in an interlaced image of `height` rows: passes start at rows 0,
// 4, 2 and 1 and step by 8, 8, 4 and 2.
std::size_t StreamRow(std::size_t y, std::size_t height) {
    const std::size_t pass1 = (height + 7) / 8;
    const std::size_t pass2 = pass1 + (height + 3) / 8;
    const std::size_t pass3 = pass2 + (height + 1) / 4;
    if (y % 8 == 0) return y / 8;
    if (y % 8 == 4) return pass1 + y / 8;
    if (y % 4 == 2) return pass2 + y / 4;
    return pass3 + y / 2;
}

// Moves rows from stream order to display order in place, one cycle of the permutation at a
// time, with a single row aside.
void Deinterlace(std::span<std::uint8_t> pixels, std::size_t width) {
    const std::size_t height = pixels.size() / width;
    std::vector<bool> placed(height);
    std::vector<std::uint8_t> aside(width);
    auto row = [&](std::size_t y) { return pixels.begin() + std::ptrdiff_t(y * width); };
    for (std::size_t first = 0; first < height; ++first) {
        if (placed[first]) continue;
        std::copy_n(row(first), width, aside.begin());
        std::size_t y = first;
        for (;;) {
            placed[y] = true;
            const std::size_t from = StreamRow(y, height);
            if (from == first) break;
            std::copy_n(row(from), width, row(y));
            y = from;
        }
        std::copy(aside.begin(), aside.end(), row(y));
    }
}

// An index no delivered pixel uses, inside the frame's table when one is free there, since
// drawing loads only the table's entries.
std::optional<std::uint8_t> UnusedIndex(std::span<const std::uint8_t> delivered,
                                        std::size_t tableCount) {
    std::array<bool, 256> used{};
    for (const std::uint8_t p : delivered) used[p] = true;
    std::optional<std::uint8_t> outside;
    for (std::size_t i = 256; i-- > 0;) {
        if (used[i]) continue;
        if (i < tableCount) return static_cast<std::uint8_t>(i);
        if (!outside) outside = static_cast<std::uint8_t>(i);
    }
    return outside;
}

// Entries of the frame's colour table: its local table's, else the global one's.
std::size_t TableCount(std::span<const std::uint8_t> stream, std::uint8_t descriptorPacked) {
    if (descriptorPacked & 0x80) return std::size_t{2} << (descriptorPacked & 7);
    if (stream.size() > 10 && (stream[10] & 0x80)) return std::size_t{2} << (stream[10] & 7);
    return 0;
}

}  // namespace

void DecodeFramePixels(std::span<const std::uint8_t> stream, std::size_t descriptorPos,
                       FrameRecord& record, std::span<std::uint8_t> pixels, std::int32_t width) {
    record.PixelsDelivered = 0;
    if (pixels.empty() || width <= 0 || descriptorPos + 10 > stream.size()) return;
    const std::uint8_t packed = stream[descriptorPos + 9];
    const std::size_t tableBytes = packed & 0x80 ? std::size_t{3} << ((packed & 7) + 1) : 0;
    const std::size_t delivered = DecodeGifLzw(stream, descriptorPos + 10 + tableBytes, pixels);
    record.PixelsDelivered = static_cast<std::uint32_t>(delivered);
    if (delivered < pixels.size()) {
        const std::optional<std::uint8_t> hole =
            record.HasTransparency == 1
                ? record.TransIndex
                : UnusedIndex(pixels.first(delivered), TableCount(stream, packed));
        std::fill(pixels.begin() + std::ptrdiff_t(delivered), pixels.end(), hole.value_or(0));
        if (hole) {
            record.HasTransparency = 1;
            record.TransIndex = *hole;
        }
    }
    if (packed & 0x40) Deinterlace(pixels, static_cast<std::size_t>(width));
}

}  // namespace anigif
