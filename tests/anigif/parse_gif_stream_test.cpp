#include <gtest/gtest.h>

#include "decode/parse_gif_stream.h"
#include "gif_builder.h"

namespace anigif {
namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kPx = GifBuilder::Pattern(2, 2, 2);

int Parse(AniGifData& d, const Bytes& bytes) {
    d = AniGifData{};
    d.GifBytes = bytes;
    return ParseGifStream(d);
}

// The stream so far, then `frames` 2 x 2 images.
Bytes WithFrames(GifBuilder b, int frames = 1) {
    while (frames-- > 0) b.Image(0, 0, 2, 2, kPx);
    return b.Bytes();
}

TEST(ParseGifStream, FramesAndLoopCountOfOddStreams) {
    const struct {
        const char* what;
        Bytes bytes;
        int frames, loops;
    } cases[] = {
        {"gIf87A", WithFrames(GifBuilder().Header("gIf87A")), 1, 0},
        {"GIF88a", WithFrames(GifBuilder().Header("GIF88a")), 0, 0},
        {"NETSCAPE id in lower case", WithFrames(GifBuilder().Header().Netscape(7, "netscape2.0")),
         1, 7},
        // Only a 3-byte sub-block carries a count; another is skipped whole and changes nothing.
        {"NETSCAPE sub-block of 5 bytes",
         WithFrames(GifBuilder().Header().Netscape(7).Netscape(9, "NETSCAPE2.0", 5), 2), 2, 7},
        {"NETSCAPE2", WithFrames(GifBuilder().Header().Netscape(9, "NETSCAPE2")), 1, 0},
        {"fillers and extensions skipped, an unknown introducer ends the stream",
         WithFrames(GifBuilder()
                        .Header()
                        .Raw({0, 0, 0x21, 0xFE, 1, 'c', 0, 0x21, 0x01, 1, 'a', 0, 0x21, 0x77, 0, 0})
                        .Image(0, 0, 2, 2, kPx)
                        .Raw({0x99})),
         1, 0},
        // Believing the size byte would swallow the image separator that follows.
        {"control block without transparency, size byte 9",
         WithFrames(GifBuilder().Header().Raw({0x21, 0xF9, 9, 0x04, 3, 0, 0, 0})), 1, 0},
        {"a frame with no colour table at all discards every frame",
         WithFrames(GifBuilder().Header("GIF89a", 4, 4, 0).Image(0, 0, 2, 2, kPx, 2)), 0, 0},
    };
    AniGifData d;
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(d, c.bytes), c.frames) << c.what;
        EXPECT_EQ(d.LoopCount, c.loops) << c.what;
    }
}

TEST(ParseGifStream, EveryTruncationKeepsEarlierFramesAndStaysInsideTheStream) {
    const Bytes bytes = GifBuilder()
                            .Header()
                            .Netscape(2)
                            .GraphicControl(1, 5, 3)
                            .Image(0, 0, 9, 7, GifBuilder::Pattern(9, 7, 2), 3)
                            .Raw({0x21, 0xFE, 1, 'c', 0})
                            .Image(1, 1, 20, 20, GifBuilder::Pattern(20, 20, 2))
                            .Trailer()
                            .Bytes();
    AniGifData d;
    int previous = 0;
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        const int frames = Parse(d, Bytes(bytes.begin(), bytes.begin() + n));
        EXPECT_GE(frames, previous) << n;
        previous = frames;
        // A frame cut off inside its data still counts, and its data runs to the end, not beyond.
        for (const FrameSpan& s : d.FrameSpans)
            EXPECT_LE(std::size_t(s.DescriptorPos) + s.DataLength, n);
    }
    EXPECT_EQ(previous, 2);
}

}  // namespace
}  // namespace anigif
