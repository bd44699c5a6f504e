#include "app/icons/gif_writer.h"

#include <algorithm>
#include <map>

#include "decode/gif_lzw_encoder.h"

namespace icons {

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutWord(Bytes& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

void PutText(Bytes& out, const char* text) {
    for (; *text != 0; ++text) out.push_back(static_cast<std::uint8_t>(*text));
}

}  // namespace

std::optional<Bytes> EncodeGif(const Animation& a) {
    const std::size_t pixels =
        std::size_t(std::max(a.width, 0)) * std::size_t(std::max(a.height, 0));
    if (a.frames.empty() || pixels == 0) return std::nullopt;
    // Entry 0 is the transparent one; the colours follow in order of their value.
    std::map<std::uint32_t, std::uint8_t> index;
    for (const Frame& f : a.frames) {
        if (f.argb.size() != pixels) return std::nullopt;
        for (const std::uint32_t p : f.argb)
            if (p >> 24 != 0) index.emplace(p & 0xFFFFFF, 0);
    }
    if (index.size() > 255) return std::nullopt;
    int n = 1;
    for (auto& [rgb, i] : index) i = static_cast<std::uint8_t>(n++);
    int sizeBits = 0;  // the table holds 2 << sizeBits entries
    while ((2 << sizeBits) < n) ++sizeBits;

    Bytes out;
    PutText(out, "GIF89a");
    PutWord(out, a.width);
    PutWord(out, a.height);
    // A global table, 8 bits per primary; background entry 0, no aspect ratio.
    out.insert(out.end(), {static_cast<std::uint8_t>(0xF0 | sizeBits), 0, 0});
    out.insert(out.end(), {0, 0, 0});  // entry 0, never shown
    for (const auto& [rgb, i] : index)
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                    static_cast<std::uint8_t>(rgb)});
    out.resize(out.size() + 3 * std::size_t((2 << sizeBits) - n), 0);

    out.insert(out.end(), {0x21, 0xFF, 11});
    PutText(out, "NETSCAPE2.0");
    out.insert(out.end(), {3, 1, 0, 0, 0});  // loop count 0: for ever

    for (const Frame& f : a.frames) {
        out.insert(out.end(), {0x21, 0xF9, 4, 2 << 2 | 1});  // restore to background, transparent
        PutWord(out, f.delayCs);
        out.insert(out.end(), {0, 0});  // transparent index 0, block end
        out.push_back(0x2C);
        PutWord(out, 0);
        PutWord(out, 0);
        PutWord(out, a.width);
        PutWord(out, a.height);
        out.insert(out.end(), {0, 8});  // no local table, not interlaced; LZW minimum code size
        const auto code = [&](std::uint32_t p) -> std::uint8_t {
            return p >> 24 == 0 ? 0 : index.at(p & 0xFFFFFF);
        };
        anigif::GifLzwEncoder encoder(out);
        encoder.Start(code(f.argb.front()));
        for (std::size_t i = 1; i < f.argb.size(); ++i) encoder.Add(code(f.argb[i]));
        encoder.Finish();
        out.push_back(0);  // block terminator
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace icons
