#include "decode/export_frame_gif.h"

#include <algorithm>

#include "decode/gif_lzw_encoder.h"

namespace anigif {

namespace {

void PutWord(std::vector<std::uint8_t>& out, std::int32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

}  // namespace

std::optional<GifPicture> ExportFrameGif(const GifAnimation& d, std::int32_t n) {
    if (n < 1 || n > d.FramesBuilt || static_cast<std::size_t>(n) > d.Frames.size()) return {};
    const auto index = static_cast<std::size_t>(n - 1);
    if (index >= d.Strip.ColumnCount()) return {};
    const FrameRecord& r = d.Frames[index];
    // The column's own size, not the record's: whatever a record says, nothing outside the
    // column is read.
    const std::int32_t width = d.Strip.ColumnWidth(index);
    const std::int32_t height = d.Strip.ColumnHeight(index);
    if (width <= 0 || height <= 0) return {};

    GifPicture picture;
    picture.Width = width;
    picture.Height = height;
    std::vector<std::uint8_t>& out = picture.Bytes;
    out.reserve(std::size_t(width) * std::size_t(height) + 801);
    for (const char c : {'G', 'I', 'F', '8', '9', 'a'}) out.push_back(std::uint8_t(c));
    PutWord(out, width);
    PutWord(out, height);
    out.insert(out.end(), {0x87, 0, 0});  // a 256-entry global table; background 0, aspect 0

    const ColorTable empty{};
    const ColorTable& table = TableOf(d, r) ? *TableOf(d, r) : empty;
    const std::uint32_t count = std::min<std::uint32_t>(table[kColorTableCountSlot], 256);
    for (std::uint32_t i = 0; i < 256; ++i) {
        const std::uint32_t v = i < count ? table[i] : 0;
        out.insert(out.end(), {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
    }
    if (r.HasTransparency == 1) out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, r.TransIndex, 0});
    out.push_back(0x2C);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, width);
    PutWord(out, height);
    out.push_back(0);  // no local table, not interlaced
    out.push_back(8);  // LZW minimum code size

    GifLzwEncoder encoder(out);
    encoder.Start(d.Strip.ColumnRow(index, 0)[0]);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = d.Strip.ColumnRow(index, y);
        for (std::int32_t x = y == 0 ? 1 : 0; x < width; ++x) encoder.Add(row[x]);
    }
    encoder.Finish();
    out.push_back(0);     // block terminator
    out.push_back(0x3B);  // trailer
    return picture;
}

}  // namespace anigif
