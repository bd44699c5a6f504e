#include "decode/frame_gif.h"

#include <algorithm>

namespace anigif {

namespace {

constexpr std::size_t kHeaderBytes = 13;
constexpr std::size_t kPaletteBytes = 768;
constexpr std::size_t kFrameStart = kHeaderBytes + kPaletteBytes;

// Copies what the stream has of [from, from + n) and zeroes the rest, so that a record pointing
// past the end cannot read outside the stream.
void CopyBounded(std::span<const std::uint8_t> src, std::int64_t from, std::size_t n,
                 std::uint8_t* out) {
    std::fill_n(out, n, 0);
    if (from < 0 || static_cast<std::uint64_t>(from) >= src.size()) return;
    const std::size_t have = std::min(n, src.size() - static_cast<std::size_t>(from));
    std::copy_n(src.begin() + from, have, out);
}

// True when the frame's chain of data sub-blocks runs to the end of its bytes without the
// terminator: the stream was cut there.
bool ChainUnterminated(const std::uint8_t* frame, std::size_t length, std::size_t tableBytes) {
    std::size_t at = 10 + tableBytes + 1;  // descriptor, local table, LZW minimum code size
    while (at < length) {
        if (frame[at] == 0) return false;
        at += std::size_t{frame[at]} + 1;
    }
    return true;
}

}  // namespace

void PrepareFrameGifBuffer(FrameSource& d, std::int32_t longestSpan) {
    d.FrameGifBuffer.assign(static_cast<std::size_t>(longestSpan) + kFrameGifOverhead, 0);
    std::uint8_t* buf = d.FrameGifBuffer.data();
    CopyBounded(d.GifBytes, 0, kHeaderBytes, buf);
    // The parser takes the signature in any case; the decoder wants it as written in the standard.
    static constexpr std::uint8_t kSignature[] = {'G', 'I', 'F', '8', '9', 'a'};
    std::copy(std::begin(kSignature), std::end(kSignature), buf);
    buf[10] |= 0x87;  // global table present, 256 entries
    for (std::size_t i = 0; i < 256; ++i) {
        buf[kHeaderBytes + 3 * i + 2] = static_cast<std::uint8_t>(i);
    }
}

std::span<const std::uint8_t> AssembleFrameGif(const GifAnimation& a, FrameSource& d,
                                               std::size_t index) {
    const FrameRecord& rec = a.Frames[index];
    const FrameSpan& span = d.FrameSpans[index];
    std::uint8_t* buf = d.FrameGifBuffer.data();
    std::size_t pos = kFrameStart;

    if (span.FirstBytePos != span.DescriptorPos) {
        // Delay and transparent index come from the stream; the block's own size byte is not
        // trusted, so the decoder always sees a well-formed 4-byte block.
        std::uint8_t gce[8];
        CopyBounded(d.GifBytes, span.FirstBytePos, sizeof gce, gce);
        gce[2] = 4;
        gce[3] &= 0xFE;
        gce[7] = 0;
        std::copy(std::begin(gce), std::end(gce), buf + pos);
        pos += sizeof gce;
    }

    const auto length = static_cast<std::size_t>(std::max(span.DataLength, 0));
    std::uint8_t* frame = buf + pos;
    CopyBounded(d.GifBytes, span.DescriptorPos, length, frame);
    pos += length;
    if (length >= 10) {
        std::fill_n(frame + 1, 4, 0);        // left and top
        std::copy_n(frame + 5, 4, buf + 6);  // screen size = frame size
        std::size_t tableBytes = 0;
        if (rec.ColorTable != 0) {
            tableBytes = std::size_t{3} << ((frame[9] & 7) + 1);
            const std::size_t room = length - 10;
            std::copy_n(buf + kHeaderBytes, std::min(tableBytes, room), frame + 10);
        }
        // A stream that ends right after a frame's last data block still holds the whole frame;
        // the terminator it lacks is supplied so that the decoder does not call it broken.
        if (ChainUnterminated(frame, length, tableBytes)) buf[pos++] = 0x00;
    }
    buf[pos++] = 0x3B;
    return {buf, pos};
}

}  // namespace anigif
