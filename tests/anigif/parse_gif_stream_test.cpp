#include <gtest/gtest.h>

#include "decode/parse_gif_stream.h"
#include "gif_builder.h"

namespace anigif {
namespace {

const std::vector<std::uint8_t> kPx = GifBuilder::Pattern(2, 2, 2);

int Parse(AniGifData& d, const std::vector<std::uint8_t>& bytes) {
    d = AniGifData{};
    d.GifBytes = bytes;
    return ParseGifStream(d);
}

TEST(ParseGifStream, SignatureIsEitherVersionInAnyCase) {
    AniGifData d;
    for (const char* sig : {"GIF89a", "GIF89A", "gif87a"}) {
        EXPECT_EQ(Parse(d, GifBuilder().Header(sig).Image(0, 0, 2, 2, kPx).Trailer().Bytes()), 1);
    }
    EXPECT_EQ(Parse(d, GifBuilder().Header("GIF88a").Image(0, 0, 2, 2, kPx).Trailer().Bytes()), 0);
    EXPECT_EQ(Parse(d, {'G', 'I', 'F', '8', '9'}), 0);
}

TEST(ParseGifStream, NetscapeLoopCountInAnyCaseOnlyFromAThreeByteSubBlock) {
    AniGifData d;
    Parse(d, GifBuilder().Header().Netscape(7, "netscape2.0").Image(0, 0, 2, 2, kPx).Bytes());
    EXPECT_EQ(d.LoopCount, 7);
    // Another sub-block length leaves the count, and the block is skipped whole.
    EXPECT_EQ(Parse(d, GifBuilder()
                           .Header()
                           .Netscape(9, "NETSCAPE2.0", 5)
                           .Image(0, 0, 2, 2, kPx)
                           .Image(0, 0, 2, 2, kPx)
                           .Bytes()),
              2);
    EXPECT_EQ(d.LoopCount, 0);
    Parse(d, GifBuilder().Header().Netscape(9, "NETSCAPE2").Image(0, 0, 2, 2, kPx).Bytes());
    EXPECT_EQ(d.LoopCount, 0);
}

TEST(ParseGifStream, CanvasIsTheUnionOfTheFramesNotTheHeaderScreen) {
    AniGifData d;
    Parse(d, GifBuilder()
                 .Header("GIF89a", 16, 16)
                 .Image(10, 20, 30, 40, GifBuilder::Pattern(30, 40, 2))
                 .Image(0, 0, 5, 5, GifBuilder::Pattern(5, 5, 2))
                 .Bytes());
    EXPECT_EQ(d.CanvasWidth, 40);
    EXPECT_EQ(d.CanvasHeight, 60);
}

TEST(ParseGifStream, GraphicControlFillsTheNextFrameAndClampsDisposal) {
    AniGifData d;
    ASSERT_EQ(Parse(d, GifBuilder()
                           .Header()
                           .GraphicControl(3, 12, 5)
                           .Image(0, 0, 2, 2, kPx)  // 3 on frame 1 -> 0
                           .GraphicControl(3, 0)
                           .Image(0, 0, 2, 2, kPx)
                           .GraphicControl(5, 7)
                           .Image(0, 0, 2, 2, kPx)  // 4..7 -> 0
                           .Image(0, 0, 2, 2, kPx)
                           .Bytes()),
              4);
    EXPECT_EQ(d.Frames[0].Disposal, 0);
    EXPECT_EQ(d.Frames[0].DelayMs, 120);
    EXPECT_EQ(d.Frames[0].TransIndex, 5);
    EXPECT_EQ(d.Frames[1].Disposal, 3);
    EXPECT_EQ(d.Frames[1].HasTransparency, 0);
    EXPECT_EQ(d.Frames[2].Disposal, 0);
    // A frame starts at its extension when it has one, else at its separator.
    EXPECT_EQ(d.GifBytes[static_cast<std::size_t>(d.Frames[0].StripX)], 0x21);
    EXPECT_EQ(d.Frames[3].StripX, d.FrameSpans[3].DescriptorPos);
}

TEST(ParseGifStream, GraphicControlWithoutTransparencyEndsAtItsTerminatorWhateverItsSize) {
    // Believing the block size of 9 would swallow the image separator that follows.
    AniGifData d;
    ASSERT_EQ(Parse(d, GifBuilder()
                           .Header()
                           .Raw({0x21, 0xF9, 9, 0x04, 3, 0, 0, 0})
                           .Image(0, 0, 2, 2, kPx)
                           .Bytes()),
              1);
    EXPECT_EQ(d.Frames[0].DelayMs, 30);
}

TEST(ParseGifStream, FillersAndExtensionsAreSkippedAnyOtherIntroducerEndsTheStream) {
    AniGifData d;
    EXPECT_EQ(Parse(d, GifBuilder()
                           .Header()
                           .Raw({0, 0})
                           .Comment("hi")
                           .Raw({0x21, 0x01, 2, 'a', 'b', 0})
                           .Raw({0x21, 0x77, 0, 0})
                           .Image(0, 0, 2, 2, kPx)
                           .Raw({0x99})
                           .Image(0, 0, 2, 2, kPx)
                           .Trailer()
                           .Bytes()),
              1);
}

TEST(ParseGifStream, AFrameWithoutAnyColourTableDiscardsEverything) {
    AniGifData d;
    EXPECT_EQ(Parse(d, GifBuilder()
                           .Header("GIF89a", 4, 4, 0)
                           .Image(0, 0, 2, 2, kPx, 2)
                           .Image(0, 0, 2, 2, kPx)
                           .Bytes()),
              0);
    EXPECT_TRUE(d.Frames.empty());
}

TEST(ParseGifStream, LocalTablesAreNumberedInStreamOrder) {
    AniGifData d;
    ASSERT_EQ(Parse(d, GifBuilder()
                           .Header("GIF89a", 4, 4, 3)
                           .Image(0, 0, 2, 2, kPx, 1)
                           .Image(0, 0, 2, 2, kPx)
                           .Image(0, 0, 2, 2, kPx, 8)
                           .Bytes()),
              3);
    EXPECT_EQ(d.Frames[0].ColorTable, 1);
    EXPECT_EQ(d.Frames[1].ColorTable, 0);
    EXPECT_EQ(d.Frames[2].ColorTable, 2);
    EXPECT_EQ(d.ColorTables[1][kColorTableCountSlot], 2u);
    // Entry i of the builder's tables is (i, 255 - i, 3i); red is the high byte.
    EXPECT_EQ(d.ColorTables[2][200], (200u << 16) | (55u << 8) | (600u & 0xFF));
}

TEST(ParseGifStream, EveryTruncationKeepsEarlierFramesAndStaysInsideTheStream) {
    const auto bytes = GifBuilder()
                           .Header()
                           .Netscape(2)
                           .GraphicControl(1, 5, 3)
                           .Image(0, 0, 9, 7, GifBuilder::Pattern(9, 7, 2), 3)
                           .Comment("between")
                           .Image(1, 1, 20, 20, GifBuilder::Pattern(20, 20, 2), 0, true)
                           .Trailer()
                           .Bytes();
    AniGifData d;
    int previous = 0;
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        const int frames = Parse(d, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + n));
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
