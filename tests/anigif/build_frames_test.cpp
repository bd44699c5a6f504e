#include <gtest/gtest.h>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"

namespace anigif {
namespace {

// Frame `index`'s column of the strip equals `pixels` (display order).
void ExpectColumn(const AniGifData& d, std::size_t index, const std::vector<std::uint8_t>& pixels) {
    const FrameRecord& r = d.Frames[index];
    for (int y = 0; y < r.Height; ++y) {
        const std::uint8_t* row = d.Strip.Row(y) + r.StripX;
        ASSERT_TRUE(std::equal(row, row + r.Width, pixels.begin() + y * r.Width))
            << "frame " << index + 1 << " row " << y;
    }
}

std::vector<std::uint8_t> Frames(std::vector<std::vector<std::uint8_t>> frames, int w, int h) {
    GifBuilder b;
    b.Header();
    for (const auto& f : frames) b.Image(0, 0, std::uint16_t(w), std::uint16_t(h), f);
    return b.Trailer().Bytes();
}

struct BuildFrames : ::testing::Test {
    FakeHost host;
    ucAniGIF gif{host};
    std::vector<std::pair<int, bool>> changed;
    void SetUp() override {
        gif.FrameChanged = [this](std::int32_t f, bool& viaTimer) {
            changed.emplace_back(f, viaTimer);
        };
    }
};

TEST_F(BuildFrames, FramesLieSideBySideInTheStripAsRawIndices) {
    const auto a = GifBuilder::Pattern(10, 40, 2, 1);
    const auto b = GifBuilder::Pattern(20, 25, 8, 2);
    const auto c = GifBuilder::Pattern(30, 12, 3, 3);
    gif.SetDelayAnimation(0);
    ASSERT_TRUE(
        gif.LoadAnimatedGIF_Array(GifBuilder()
                                      .Header("gif89a", 8, 8, 2)
                                      .Raw({0x21, 0xF9, 9, 0x05, 0, 0, 3, 0})  // size byte lies
                                      .Image(0, 0, 10, 40, a)
                                      .Image(5, 5, 20, 25, b, 8)        // local table
                                      .Image(0, 0, 30, 12, c, 0, true)  // interlaced
                                      .Trailer()
                                      .Bytes()));
    const AniGifData& d = gif.Data();
    EXPECT_EQ(d.Strip.Width(), 60);
    EXPECT_EQ(d.Strip.Height(), 40);
    EXPECT_EQ(d.Frames[1].StripX, 10);
    EXPECT_EQ(d.Frames[2].StripX, 30);
    ExpectColumn(d, 0, a);  // the transparent index stays an index, not a hole
    ExpectColumn(d, 1, b);
    ExpectColumn(d, 2, c);
    EXPECT_TRUE(d.GifBytes.empty());           // run mode lets the stream go once all is built
    EXPECT_EQ(d.Strip.ColorTable()[77], 77u);  // identity; a lower-case signature decodes too
}

TEST_F(BuildFrames, DesignModeBuildsFrameOneOnlyAndKeepsTheStream) {
    host.runMode = false;
    GifBuilder b;
    b.Header();
    for (int i = 0; i < 10; ++i)
        b.Image(0, 0, std::uint16_t(5 + i), 9, GifBuilder::Pattern(5 + i, 9, 2, i));
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(b.Trailer().Bytes()));
    EXPECT_EQ(gif.FrameCount(), 10);
    EXPECT_EQ(gif.Data().Strip.Width(), 5);
    ExpectColumn(gif.Data(), 0, GifBuilder::Pattern(5, 9, 2, 0));
    EXPECT_EQ(gif.Data().GifBytes, b.Bytes());
    EXPECT_FALSE(host.TimerArmed());
    EXPECT_TRUE(changed.empty());
}

TEST_F(BuildFrames, DeferredBuildingRunsFromTheHostTimerThenPlays) {
    const auto f2 = GifBuilder::Pattern(6, 6, 2, 2);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(GifBuilder()
                                              .Header()
                                              .GraphicControl(0, 7)
                                              .Image(0, 0, 6, 6, GifBuilder::Pattern(6, 6, 2, 1))
                                              .GraphicControl(0, 9)
                                              .Image(0, 0, 6, 6, f2)
                                              .Trailer()
                                              .Bytes()));
    EXPECT_EQ(gif.CurrentFrame(), 1);
    EXPECT_EQ(gif.Action(), 1);  // the build wait counts as playing
    host.Advance(19);
    EXPECT_EQ(gif.Data().Strip.Row(0)[7], 0);  // frame 2 not built yet
    EXPECT_FALSE(gif.Data().GifBytes.empty());
    host.Advance(1);
    ExpectColumn(gif.Data(), 1, f2);
    EXPECT_TRUE(gif.Data().GifBytes.empty());
    EXPECT_EQ(host.timerStarts, (std::vector<std::int32_t>{20, 70}));  // then frame 1's delay
    host.Advance(70);
    EXPECT_EQ(gif.CurrentFrame(), 2);
    EXPECT_EQ(changed, (std::vector<std::pair<int, bool>>{{1, true}}));  // the frame it leaves
}

TEST_F(BuildFrames, DelayAnimationTwoAnnouncesFrameOneAndDoesNotPlay) {
    gif.SetDelayAnimation(2);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(Frames({{0, 1, 2, 3}, {3, 2, 1, 0}}, 2, 2)));
    host.Advance(20);
    EXPECT_EQ(changed, (std::vector<std::pair<int, bool>>{{1, false}}));
    EXPECT_FALSE(host.TimerArmed());
    EXPECT_EQ(gif.Action(), 0);
}

TEST_F(BuildFrames, WithoutATimerTheRestIsBuiltAtOnce) {
    host.timersAvailable = false;
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(Frames({{0, 1, 2, 3}, {3, 2, 1, 0}}, 2, 2)));
    ExpectColumn(gif.Data(), 1, {3, 2, 1, 0});
}

TEST_F(BuildFrames, OneFrameInRunModeRepaintsAndAnnouncesFrameOneOnce) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(Frames({{0, 1, 2, 3}}, 2, 2)));
    EXPECT_EQ(changed, (std::vector<std::pair<int, bool>>{{1, false}}));
    EXPECT_EQ(host.repaints, 1);
    EXPECT_FALSE(host.TimerArmed());
}

TEST_F(BuildFrames, ACanvasUnlessEveryFrameRestoresTheBackgroundAMaskWhereItShows) {
    const auto px = GifBuilder::Pattern(4, 4, 2);
    gif.SetDelayAnimation(0);
    // Transparent frame 2 and a frame 1 that does not cover the canvas: the background shows.
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(GifBuilder()
                                              .Header()
                                              .Image(0, 0, 4, 4, px)
                                              .GraphicControl(1, 0, 2)
                                              .Image(4, 4, 4, 4, px)
                                              .Trailer()
                                              .Bytes()));
    EXPECT_EQ(gif.Data().Canvas.Width(), 8);
    EXPECT_FALSE(gif.Data().Mask.Empty());
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(Frames({px, px}, 4, 4)));
    EXPECT_FALSE(gif.Data().Canvas.Empty());
    EXPECT_TRUE(gif.Data().Mask.Empty());
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(GifBuilder()
                                              .Header()
                                              .GraphicControl(2, 0)
                                              .Image(0, 0, 4, 4, px)
                                              .GraphicControl(2, 0)
                                              .Image(0, 0, 4, 4, px)
                                              .Trailer()
                                              .Bytes()));
    EXPECT_TRUE(gif.Data().Canvas.Empty());
}

}  // namespace
}  // namespace anigif
