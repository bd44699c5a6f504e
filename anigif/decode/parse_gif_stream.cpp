#include "decode/parse_gif_stream.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "decode/gif_reader.h"
#include "raster/dib.h"

namespace anigif {

namespace {

// Records and tables of a hostile stream grow faster than the stream itself (a 18-byte frame can
// bring a 1 KiB colour table); past the raster ceiling the load fails instead.
struct GifTooLarge {};

bool EqualsIgnoringCase(std::span<const std::uint8_t> bytes, std::string_view text) {
    return bytes.size() == text.size() &&
           std::equal(bytes.begin(), bytes.end(), text.begin(), [](std::uint8_t b, char c) {
               return std::tolower(static_cast<unsigned char>(b)) ==
                      std::tolower(static_cast<unsigned char>(c));
           });
}

void CheckParsedSize(const ParsedGif& p) {
    const std::uint64_t bytes = p.Animation.Frames.size() * sizeof(FrameRecord) +
                                p.FrameSpans.size() * sizeof(FrameSpan) +
                                p.Animation.ColorTables.size() * sizeof(ColorTable);
    if (bytes > kMaxRasterBytes) throw GifTooLarge{};
}

void ReadApplicationExtension(GifReader& in, GifAnimation& a) {
    const std::uint8_t size = in.Byte();
    if (EqualsIgnoringCase(in.Block(size), "NETSCAPE2.0")) {
        if (in.Byte() == 3) {
            in.Pos += 1;  // sub-block identifier
            a.LoopCount = in.Word();
        } else {
            in.Pos -= 1;
        }
    }
    in.SkipSubBlocks();
}

void ReadGraphicControl(GifReader& in, FrameRecord& rec, std::int64_t introducerPos) {
    rec = FrameRecord{};
    in.Byte();  // block size: the layout is taken as fixed
    const std::uint8_t packed = in.Byte();
    // 4 to 7 are undefined and mean none. Restoring the previous picture under frame 1 restores
    // the empty canvas.
    const std::uint8_t disposal = (packed >> 2) & 7;
    rec.Disposal = disposal > 3 ? 0 : disposal;
    rec.DelayMs = in.Word() * 10;
    rec.HasTransparency = packed & 1;
    if (rec.HasTransparency) {
        rec.TransIndex = in.Byte();
    } else {
        in.Pos = introducerPos + 7;  // the block terminator
    }
    in.SkipSubBlocks();
}

}  // namespace

bool IsGifSignature(std::span<const std::uint8_t> sixBytes) {
    return EqualsIgnoringCase(sixBytes, "gif89a") || EqualsIgnoringCase(sixBytes, "gif87a");
}

ParsedGif ParseGifStream(std::span<const std::uint8_t> bytes) {
    ParsedGif p;
    if (bytes.size() > kMaxGifStreamBytes) return p;
    GifAnimation& a = p.Animation;
    GifReader in(bytes);
    FrameRecord rec;
    bool hasGlobalTable = false;
    std::int32_t localTables = 0;
    auto discard = [&p] {
        p.Animation.Frames.clear();
        p.FrameSpans.clear();
    };
    try {
        if (!IsGifSignature(in.Block(6))) return p;
        in.Pos = 10;
        const std::uint8_t screenPacked = in.Byte();
        in.Pos = 13;  // screen size, background index and aspect ratio are not used
        a.ColorTables.resize(1);
        if (screenPacked & 0x80) {
            in.ReadColorTable(a.ColorTables[0], (screenPacked & 7) + 1);
            hasGlobalTable = true;
        }
        for (;;) {
            const std::int64_t introducerPos = in.Pos;
            const std::uint8_t introducer = in.Byte();
            if (introducer == 0x00) continue;  // filler between blocks
            if (introducer == 0x21) {
                const std::uint8_t label = in.Byte();
                if (label == 0xFF) {
                    ReadApplicationExtension(in, a);
                } else if (label == 0xF9) {
                    ReadGraphicControl(in, rec, introducerPos);
                } else {
                    in.SkipSubBlocks();
                }
                continue;
            }
            if (introducer != 0x2C) break;  // trailer, or anything that is no block

            FrameSpan span;
            span.DescriptorPos = static_cast<std::int32_t>(introducerPos);
            rec.Left = in.Word();
            rec.Top = in.Word();
            rec.Width = in.Word();
            rec.Height = in.Word();
            const std::uint8_t packed = in.Byte();
            if (packed & 0x80) {
                rec.ColorTable = ++localTables;
                a.ColorTables.resize(static_cast<std::size_t>(localTables) + 1, ColorTable{});
                in.ReadColorTable(a.ColorTables.back(), (packed & 7) + 1);
            } else if (!hasGlobalTable) {
                discard();
                return p;
            }
            in.Byte();  // LZW minimum code size
            in.SkipSubBlocks();
            a.Frames.push_back(rec);
            p.FrameSpans.push_back(span);
            a.CanvasWidth = std::max(a.CanvasWidth, rec.Left + rec.Width);
            a.CanvasHeight = std::max(a.CanvasHeight, rec.Top + rec.Height);
            rec = FrameRecord{};
            CheckParsedSize(p);
        }
    } catch (const GifStreamEnd&) {
        // The frames accepted so far stand.
    } catch (const GifTooLarge&) {
        discard();
    }
    return p;
}

}  // namespace anigif
