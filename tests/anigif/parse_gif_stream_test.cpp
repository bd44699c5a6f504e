#include <gtest/gtest.h>

#include "decode/build_frames.h"
#include "decode/frame_pixels.h"
#include "decode/parse_gif_stream.h"
#include "gif_builder.h"
#include "lzw_writer.h"

namespace anigif {
namespace {

const Bytes kPx = GifBuilder::Pattern(2, 2, 2);

int Parse(ParsedGif& d, const Bytes& bytes) {
    d = ParseGifStream(bytes);
    return static_cast<int>(d.Animation.Frames.size());
}

// The stream so far, then `frames` 2 x 2 images.
Bytes WithFrames(GifBuilder b, int frames = 1) {
    while (frames-- > 0) b.Image(0, 0, 2, 2, kPx);
    return b.Bytes();
}

TEST(ParseGifStream, FramesAndLoopCountOfOddStreams) {
    const std::initializer_list<std::uint8_t> fillers = {0,    0, 0x21, 0xFE, 1,    'c',  0, 0x21,
                                                         0x01, 1, 'a',  0,    0x21, 0x77, 0, 0};
    // What, stream, frames, loops.
    const std::tuple<const char*, Bytes, int, int> cases[] = {
        {"gIf87A", WithFrames(GifBuilder().Header("gIf87A")), 1, 0},
        {"GIF88a", WithFrames(GifBuilder().Header("GIF88a")), 0, 0},
        {"NETSCAPE id in lower case", WithFrames(GifBuilder().Header().Netscape(7, "netscape2.0")),
         1, 7},
        // Only a 3-byte sub-block carries a count; another is skipped whole and changes nothing
        // (read from its second byte, this one's would swallow the frames after it).
        {"NETSCAPE sub-block of 5 bytes",
         WithFrames(GifBuilder().Header().Netscape(7).Netscape(0x0309, "NETSCAPE2.0", 5), 2), 2, 7},
        {"NETSCAPE2", WithFrames(GifBuilder().Header().Netscape(9, "NETSCAPE2")), 1, 0},
        {"fillers and extensions skipped, an unknown introducer ends the stream",
         WithFrames(GifBuilder().Header().Raw(fillers).Image(0, 0, 2, 2, kPx).Raw({0x99})), 1, 0},
        // Believing the size byte would swallow the image separator that follows.
        {"control block without transparency, size byte 9",
         WithFrames(GifBuilder().Header().Raw({0x21, 0xF9, 9, 0x04, 3, 0, 0, 0})), 1, 0},
        {"a frame with no colour table at all discards every frame",
         WithFrames(GifBuilder().Header("GIF89a", 4, 4, 0).Image(0, 0, 2, 2, kPx, 2)), 0, 0},
    };
    ParsedGif d;
    for (const auto& [what, bytes, frames, loops] : cases) {
        EXPECT_EQ(Parse(d, bytes), frames) << what;
        EXPECT_EQ(d.Animation.LoopCount, loops) << what;
    }
}

TEST(ParseGifStream, EveryTruncationKeepsEarlierFramesAndStaysInsideTheStream) {
    GifBuilder b;
    b.Header().Netscape(2).GraphicControl(1, 5, 3).Image(0, 0, 9, 7, GifBuilder::Pattern(9, 7, 2),
                                                         3);
    b.Raw({0x21, 0xFE, 1, 'c', 0}).Image(1, 1, 20, 20, GifBuilder::Pattern(20, 20, 2)).Trailer();
    const Bytes bytes = b.Bytes();
    ParsedGif d;
    int previous = 0;
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        const int frames = Parse(d, Bytes(bytes.begin(), bytes.begin() + n));
        EXPECT_GE(frames, previous) << n;
        previous = frames;
    }
    EXPECT_EQ(previous, 2);
}

TEST(DecodeFramePixels, InterlacedRowsComeBackInDisplayOrderForEveryHeight) {
    for (std::uint8_t height = 1; height <= 17; ++height) {
        // Three pixels a row, each its display row's number, sent pass by pass.
        Bytes rows, want;
        for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = first; y < height; y += step) rows.insert(rows.end(), 3, std::uint8_t(y));
        for (int y = 0; y < height; ++y) want.insert(want.end(), 3, std::uint8_t(y));
        Bytes frame{0x2C, 0, 0, 0, 0, 3, 0, height, 0, 0x40};  // no table, interlaced
        const Bytes data = LzwWriter(8).Clear().Pixels(rows).End().Data();
        frame.insert(frame.end(), data.begin(), data.end());
        FrameRecord record;
        Bytes pixels(want.size());
        DecodeFramePixels(frame, 0, record, pixels, 3);
        EXPECT_EQ(pixels, want) << int(height);
    }
}

TEST(PlanFirstPass, ACanvasUnlessEachFrameAloneIsThePictureAMaskWhereTheBackgroundShows) {
    // Frame 1 is 4 x 4 at (0, 0); frame 2 at (at, at) with the same disposal.
    // Disposal, transparent index, where frame 2 is; whether a canvas and a mask are planned.
    using Case = std::tuple<int, std::optional<std::uint8_t>, std::uint16_t, bool, bool>;
    const Case cases[] = {
        {1, 2, 0, true, false},    // a transparent patch over a full first frame
        {1, {}, 0, false, false},  // every later frame replaces the whole picture
        {2, {}, 4, false, false},  // every frame is cleared away before the next
        {1, {}, 4, true, true},    // frame 1 leaves the canvas partly uncovered
        {1, 2, 4, true, true},
        {6, {}, 4, true, true},  // 4 to 7 leave the frame in place, as 0 does
    };
    const Bytes px = GifBuilder::Pattern(4, 4, 2);
    for (const auto& [disposal, transparent, at, canvas, mask] : cases) {
        GifBuilder b;
        b.Header().GraphicControl(disposal, 0).Image(0, 0, 4, 4, px);
        b.GraphicControl(disposal, 0, transparent).Image(at, at, 4, 4, px);
        ParsedGif p = ParseGifStream(b.Bytes());
        const FrameSource source{b.Bytes(), std::move(p.FrameSpans)};
        const std::optional<FirstPassPlan> plan = PlanFirstPass(p.Animation, source, false);
        ASSERT_TRUE(plan);
        EXPECT_EQ(std::tie(plan->CanvasNeeded, plan->CanvasWithMask), std::tie(canvas, mask))
            << disposal << " at " << at;
    }
}

}  // namespace
}  // namespace anigif
