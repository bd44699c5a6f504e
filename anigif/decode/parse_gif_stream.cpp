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

bool EqualsIgnoringCase(const std::vector<std::uint8_t>& bytes, std::string_view text) {
    return bytes.size() == text.size() &&
           std::equal(bytes.begin(), bytes.end(), text.begin(), [](std::uint8_t b, char c) {
               return std::tolower(static_cast<unsigned char>(b)) ==
                      std::tolower(static_cast<unsigned char>(c));
           });
}

void CheckParsedSize(const AniGifData& d) {
    const std::uint64_t bytes = d.Frames.size() * sizeof(FrameRecord) +
                                d.FrameSpans.size() * sizeof(FrameSpan) +
                                d.ColorTables.size() * sizeof(ColorTable);
    if (bytes > kMaxRasterBytes) throw GifTooLarge{};
}

void ReadApplicationExtension(AniGifData& d) {
    const std::uint8_t size = ReadGifByte(d);
    ReadGifBlock(d, size);
    if (EqualsIgnoringCase(d.ReadBuffer, "NETSCAPE2.0")) {
        if (ReadGifByte(d) == 3) {
            d.ReadPos += 1;  // sub-block identifier
            d.LoopCount = ReadGifWord(d);
        } else {
            d.ReadPos -= 1;
        }
    }
    SkipSubBlocks(d);
}

void ReadGraphicControl(AniGifData& d, FrameRecord& rec, std::int64_t introducerPos,
                        std::int32_t framesAccepted) {
    rec = FrameRecord{};
    ReadGifByte(d);  // block size: the layout is taken as fixed
    const std::uint8_t packed = ReadGifByte(d);
    std::uint8_t disposal = (packed >> 2) & 7;
    if (disposal > 3 || (disposal == 3 && framesAccepted == 0)) disposal = 0;
    rec.Disposal = disposal;
    rec.DelayMs = ReadGifWord(d) * 10;
    rec.HasTransparency = packed & 1;
    if (rec.HasTransparency) {
        rec.TransIndex = ReadGifByte(d);
    } else {
        d.ReadPos = introducerPos + 7;  // the block terminator
    }
    SkipSubBlocks(d);
}

}  // namespace

bool IsGifSignature(const std::uint8_t* sixBytes) {
    const std::vector<std::uint8_t> sig(sixBytes, sixBytes + 6);
    return EqualsIgnoringCase(sig, "gif89a") || EqualsIgnoringCase(sig, "gif87a");
}

std::int32_t ParseGifStream(AniGifData& d) {
    d.ReadPos = 0;
    d.Frames.clear();
    d.FrameSpans.clear();
    if (d.GifBytes.size() > kMaxGifStreamBytes) return 0;

    std::int32_t count = 0;
    FrameRecord rec;
    std::int64_t firstBytePos = -1;  // of the frame being read: its control block, if any
    bool hasGlobalTable = false;
    try {
        ReadGifBlock(d, 6);
        if (!IsGifSignature(d.ReadBuffer.data())) return 0;
        d.ReadPos = 10;
        const std::uint8_t screenPacked = ReadGifByte(d);
        d.ReadPos = 13;  // screen size, background index and aspect ratio are not used
        if (screenPacked & 0x80) {
            d.LastColorTable = 0;
            ReadColorTable(d, 0, (screenPacked & 7) + 1);
            hasGlobalTable = true;
        }
        for (;;) {
            const std::int64_t introducerPos = d.ReadPos;
            const std::uint8_t introducer = ReadGifByte(d);
            if (introducer == 0x00) continue;  // filler between blocks
            if (introducer == 0x21) {
                const std::uint8_t label = ReadGifByte(d);
                if (label == 0xFF) {
                    ReadApplicationExtension(d);
                } else if (label == 0xF9) {
                    ReadGraphicControl(d, rec, introducerPos, count);
                    firstBytePos = introducerPos;
                } else {
                    SkipSubBlocks(d);
                }
                continue;
            }
            if (introducer != 0x2C) break;  // trailer, or anything that is no block

            FrameSpan span;
            span.DescriptorPos = static_cast<std::int32_t>(introducerPos);
            span.FirstBytePos =
                firstBytePos >= 0 ? static_cast<std::int32_t>(firstBytePos) : span.DescriptorPos;
            rec.Left = ReadGifWord(d);
            rec.Top = ReadGifWord(d);
            rec.Width = ReadGifWord(d);
            rec.Height = ReadGifWord(d);
            const std::uint8_t packed = ReadGifByte(d);
            if (packed & 0x80) {
                rec.ColorTable = d.LastColorTable + 1;
                ReadColorTable(d, static_cast<std::size_t>(rec.ColorTable), (packed & 7) + 1);
                d.LastColorTable = rec.ColorTable;
            } else if (!hasGlobalTable) {
                d.Frames.clear();
                d.FrameSpans.clear();
                return 0;
            }
            ReadGifByte(d);  // LZW minimum code size
            SkipSubBlocks(d);

            // A chain cut off by the end of the stream runs to the end, not beyond it.
            const std::int64_t end =
                std::min<std::int64_t>(d.ReadPos, static_cast<std::int64_t>(d.GifBytes.size()));
            span.DataLength = static_cast<std::int32_t>(end - span.DescriptorPos);
            ++count;
            d.Frames.push_back(rec);
            d.FrameSpans.push_back(span);
            d.CanvasWidth = std::max(d.CanvasWidth, rec.Left + rec.Width);
            d.CanvasHeight = std::max(d.CanvasHeight, rec.Top + rec.Height);
            rec = FrameRecord{};
            firstBytePos = -1;
            CheckParsedSize(d);
        }
    } catch (const GifStreamEnd&) {
        // The frames accepted so far stand.
    } catch (const GifTooLarge&) {
        d.Frames.clear();
        d.FrameSpans.clear();
        return 0;
    }
    return count;
}

}  // namespace anigif
