#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"

namespace anigif {
namespace {

std::vector<std::uint8_t> TwoFrames(std::uint16_t loops = 0) {
    GifBuilder b;
    b.Header("GIF89a", 4, 4);
    if (loops != 0) b.Netscape(loops);
    return b.Image(0, 0, 4, 4, GifBuilder::Pattern(4, 4, 2))
        .Image(1, 1, 2, 2, {0, 1, 2, 3})
        .Trailer()
        .Bytes();
}

struct Load : ::testing::Test {
    FakeHost host;
    ucAniGIF gif{host};

    void ExpectEmpty() {
        EXPECT_EQ(gif.CurrentFrame(), 0);
        EXPECT_EQ(gif.FrameCount(), 0);
        EXPECT_EQ(gif.ActualWidth(), 0);
        EXPECT_EQ(gif.Loops(), 0);
        EXPECT_TRUE(gif.Data().Strip.Empty());
        EXPECT_TRUE(gif.Data().Canvas.Empty());
        EXPECT_TRUE(gif.Data().GifBytes.empty());
        EXPECT_FALSE(host.TimerArmed());
    }
};

TEST_F(Load, PropertiesAndLoopsComeFromEachStreamAnew) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(3)));
    EXPECT_EQ(gif.FrameCount(), 2);
    EXPECT_EQ(gif.ActualWidth(), 4 * 15);  // twips
    EXPECT_EQ(gif.Loops(), 3);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames()));
    EXPECT_EQ(gif.Loops(), 0);
}

TEST_F(Load, LoopCountsAbove32767LoadAndCountDownInFull) {
    gif.SetDelayAnimation(0);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(40000)));
    EXPECT_EQ(gif.LoopsRemaining(), 40000);
    host.Advance(100);  // two ticks of the 50 ms minimum: one full pass
    EXPECT_EQ(gif.LoopsRemaining(), 39999);
}

TEST_F(Load, AFailedLoadLeavesTheControlEmpty) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(3)));
    EXPECT_FALSE(
        gif.LoadAnimatedGIF_Array(GifBuilder().Header("GIF99a").Image(0, 0, 1, 1, {1}).Bytes()));
    ExpectEmpty();
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(3)));
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(GifBuilder().Header().Netscape(4).Trailer().Bytes()));
    ExpectEmpty();
}

TEST_F(Load, ArraysOfOneOrTwoDimensionsPassTheirMemoryInOrderOthersFail) {
    auto bytes = TwoFrames(5);
    bytes.resize((bytes.size() + 3) / 4 * 4, 0);  // zeros after the trailer
    std::vector<std::array<std::uint16_t, 2>> rows(bytes.size() / 4);
    std::memcpy(rows.data(), bytes.data(), bytes.size());
    EXPECT_TRUE(gif.LoadAnimatedGIF_Array(rows));
    EXPECT_EQ(gif.Loops(), 5);
    std::uint16_t grid[128][2] = {};
    std::memcpy(grid, bytes.data(), bytes.size());
    EXPECT_TRUE(gif.LoadAnimatedGIF_Array(grid));
    EXPECT_TRUE(gif.LoadAnimatedGIF_Array(std::span<const std::uint8_t>(bytes)));
    EXPECT_TRUE(gif.LoadAnimatedGIF_Array(std::vector<char>(bytes.begin(), bytes.end())));

    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(nullptr));
    ExpectEmpty();
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(std::vector<std::uint8_t>{}));
    std::uint8_t cube[2][16][32] = {};
    std::memcpy(cube, bytes.data(), std::min(bytes.size(), sizeof cube));
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(cube));
}

TEST_F(Load, FilesWithWideNamesOpenAndMissingOrEmptyOnesFail) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("anigif-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto wide = dir / std::filesystem::path(u"动画ĀŁ\u0394.gif");
    const auto bytes = TwoFrames(2);
    std::ofstream(wide, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::ofstream(dir / "empty.gif").close();

    EXPECT_TRUE(gif.LoadAnimatedGIF_File(wide));
    EXPECT_EQ(gif.Loops(), 2);
    EXPECT_FALSE(gif.LoadAnimatedGIF_File(dir / "missing.gif"));
    ExpectEmpty();
    EXPECT_FALSE(gif.LoadAnimatedGIF_File(dir / "empty.gif"));
    EXPECT_FALSE(gif.LoadAnimatedGIF_File(dir));
    std::filesystem::remove_all(dir);
}

TEST_F(Load, TheControlTakesTheFittedSizeAfterALoad) {
    host.client = {20, 20};
    host.onResize = [this] { gif.UserControl_Resize(); };
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(
        GifBuilder().Header().Image(0, 0, 10, 5, GifBuilder::Pattern(10, 5, 2)).Trailer().Bytes()));
    ASSERT_EQ(host.resizes.size(), 1u);  // the nested notice is ignored
    EXPECT_EQ(host.resizes[0].Width, 20);
    EXPECT_EQ(host.resizes[0].Height, 10);
}

TEST_F(Load, HostileSizesFailCleanlyZeroSizedFramesAreEmptyColumns) {
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(  // gigabytes of strip and canvas
        GifBuilder().Header().Image(0, 0, 65535, 65535, {1, 2, 3}).Trailer().Bytes()));
    ExpectEmpty();
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(  // a small frame far out on a huge canvas
        GifBuilder()
            .Header()
            .Image(0, 0, 2, 2, {1, 2, 3, 0})
            .Image(65535, 65535, 65535, 1, {})
            .Bytes()));
    ExpectEmpty();
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(  // nothing to show at all
        GifBuilder().Header().Image(3, 3, 0, 0, {}).Image(0, 0, 0, 9, {}).Trailer().Bytes()));
    ExpectEmpty();

    gif.SetDelayAnimation(0);
    const auto px = GifBuilder::Pattern(3, 3, 2, 1);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(GifBuilder()
                                              .Header()
                                              .Image(0, 0, 0, 0, {})
                                              .Image(0, 0, 3, 3, px)
                                              .Image(0, 0, 7, 0, {})
                                              .Bytes()));
    EXPECT_EQ(gif.Data().Strip.Width(), 10);
    EXPECT_EQ(gif.Data().Strip.Row(2)[2], px[8]);
}

}  // namespace
}  // namespace anigif
