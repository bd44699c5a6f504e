#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"
#include "giflib_slurp.h"

namespace anigif {
namespace {

using Events = std::vector<std::string>;

Bytes OneFrame(std::uint16_t screenW = 2, std::uint16_t screenH = 2) {
    return GifBuilder().Header("GIF89a", screenW, screenH).Image(0, 0, 2, 2, {0, 1, 2, 3}).Bytes();
}

// Two frames on a 5 x 5 canvas (the header says 2 x 2), with a NETSCAPE block when loops is not 0.
Bytes TwoFrames(std::uint16_t loops = 0) {
    GifBuilder b;
    b.Header("GIF89a", 2, 2);
    if (loops != 0) b.Netscape(loops);
    b.Image(0, 0, 4, 4, GifBuilder::Pattern(4, 4, 2));
    return b.Image(3, 3, 2, 2, {3, 2, 1, 0}).Trailer().Bytes();
}

struct Control : HostedGif {
    Events events;
    bool cancel = false;

    void SetUp() override {
        gif.FrameChanged = [this](std::int32_t f, bool& viaTimer) {
            events.push_back("frame " + std::to_string(f) + (viaTimer ? " by timer" : ""));
        };
        gif.RemoteLoadComplete = [this](float w, float h, bool& c) {
            events.push_back("complete " + std::to_string(int(w)) + "x" + std::to_string(int(h)) +
                             " frames " + std::to_string(gif.FrameCount()));
            c = cancel;
        };
        gif.RemoteLoadFailure = [this] { events.push_back("failure"); };
    }
    void ExpectEmpty() {  // no frames, no picture, no saved stream, no timer
        EXPECT_EQ(std::make_tuple(gif.FrameCount(), !gif.AnimatedGIF(), SavedGif(gif).empty(),
                                  host.TimerArmed()),
                  std::make_tuple(0, true, true, false));
    }
};

TEST_F(Control, DeferredBuildingRunsFromTheHostTimerThenPlaysOrAtOnceWithoutATimer) {
    const Bytes f2 = GifBuilder::Pattern(6, 6, 2, 2);
    GifBuilder b;
    b.Header().GraphicControl(0, 7).Image(0, 0, 6, 6, GifBuilder::Pattern(6, 6, 2, 1));
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(b.GraphicControl(0, 9).Image(0, 0, 6, 6, f2).Bytes()));
    // Frame 1, and the build wait counts as playing.
    EXPECT_EQ(std::make_pair(gif.CurrentFrame(), gif.Action()), std::make_pair(1, 1));
    host.Advance(19);
    EXPECT_FALSE(SavedGif(gif).empty());  // frame 2 waits: the stream is still needed
    host.Advance(1);
    EXPECT_TRUE(SavedGif(gif).empty());
    EXPECT_EQ(host.timerStarts, (std::vector<std::int32_t>{20, 70}));  // then frame 1's delay
    host.Advance(70);
    EXPECT_EQ(gif.CurrentFrame(), 2);
    EXPECT_EQ(ShownIndices(gif), f2);
    EXPECT_EQ(events, (Events{"frame 1 by timer"}));  // the frame it leaves
    // Without a timer the rest would never be built: it is built at once.
    host.timersAvailable = false;
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames()));
    gif.SetAction(3);
    EXPECT_EQ(ShownIndices(gif), (Bytes{3, 2, 1, 0}));
}

TEST_F(Control, FrameOneIsAnnouncedOnceForOneFrameOrDelayAnimationTwo) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(OneFrame()));
    EXPECT_EQ(host.repaints, 1);
    EXPECT_FALSE(host.TimerArmed());
    gif.SetDelayAnimation(2);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(OneFrame()));  // once, not once more as the build ends
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames()));
    host.Advance(20);  // builds frame 2, then stops
    EXPECT_EQ(events, (Events{"frame 1", "frame 1", "frame 1"}));
    EXPECT_EQ(std::make_pair(host.TimerArmed(), gif.Action()), std::make_pair(false, 0));
}

TEST_F(Control, LoopsComeFromEachStreamAnewAndCountsAbove32767Work) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(3)));
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames()));
    EXPECT_EQ(gif.Loops(), 0);  // no NETSCAPE block: endless, not the previous 3
    gif.SetDelayAnimation(0);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(40000)));
    EXPECT_EQ(gif.Loops(), 40000);
    host.Advance(100);  // two ticks of the 50 ms minimum: one full pass
    EXPECT_EQ(gif.LoopsRemaining(), 39999);
}

TEST_F(Control, RejectedStreamsLeaveTheControlEmptyWithTheSizeAndLoopsParsingFound) {
    GifBuilder big;  // strip and canvas each under the raster limit, together over it
    big.Header().Image(0, 0, 10000, 10000, {}).GraphicControl(1, 0, 0);
    const std::tuple<Bytes, int, int, int> rejected[] = {
        // stream, loops, width, height
        {GifBuilder().Header("GIF99a").Image(0, 0, 1, 1, {1}).Bytes(), 0, 0, 0},
        {GifBuilder().Header().Netscape(4).Trailer().Bytes(), 4, 0, 0},  // no frame
        // Past the raster limit: gigabytes of strip, or a small frame far out on a huge canvas.
        {GifBuilder().Header().Netscape(7).Image(0, 0, 65535, 65535, {1, 2, 3}).Bytes(), 7, 65535,
         65535},
        {GifBuilder().Header().Image(0, 0, 2, 2, {1, 2}).Image(65535, 65535, 65535, 1, {}).Bytes(),
         0, 131070, 65536},
        {big.Image(0, 0, 10000, 10000, {}).Bytes(), 0, 10000, 10000},
        {GifBuilder().Header().Image(3, 3, 0, 0, {}).Image(0, 0, 0, 9, {}).Bytes(), 0, 3, 9},
        {GifBuilder().Header().Image(0, 0, 5, 0, {}).Image(0, 0, 0, 5, {}).Bytes(), 0, 5, 5},
    };
    for (const auto& [bytes, loops, width, height] : rejected) {
        ASSERT_TRUE(gif.LoadAnimatedGIF_Array(TwoFrames(3)));
        EXPECT_FALSE(gif.LoadAnimatedGIF_Array(bytes));
        ExpectEmpty();
        EXPECT_EQ(std::make_tuple(gif.Loops(), gif.ActualWidth(), gif.ActualHeight()),
                  std::make_tuple(loops, width * 15, height * 15));
    }
}

TEST_F(Control, ArraysOfOneOrTwoDimensionsPassTheirMemoryInOrderOthersFail) {
    const Bytes bytes = TwoFrames(5);
    std::uint16_t grid[128][2] = {};
    std::memcpy(grid, bytes.data(), bytes.size());
    EXPECT_TRUE(gif.LoadAnimatedGIF_Array(grid));
    EXPECT_EQ(gif.Loops(), 5);
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(nullptr));
    std::uint8_t cube[2][16][32] = {};
    std::memcpy(cube, bytes.data(), std::min(bytes.size(), sizeof cube));
    EXPECT_FALSE(gif.LoadAnimatedGIF_Array(cube));
}

TEST_F(Control, AFileWithAWideNameOpensAMissingOneFails) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("anigif-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto wide = dir / std::filesystem::path(u"动画ĀŁ\u0394.gif");
    const Bytes bytes = TwoFrames(2);
    std::ofstream(wide, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());

    EXPECT_TRUE(gif.LoadAnimatedGIF_File(wide));
    EXPECT_EQ(gif.Loops(), 2);
    EXPECT_FALSE(gif.LoadAnimatedGIF_File(dir / "missing.gif"));
    ExpectEmpty();
    std::filesystem::remove_all(dir);
}

TEST_F(Control, TheControlTakesTheFittedSizeAfterALoad) {
    host.client = {20, 20};
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(
        GifBuilder().Header().Image(0, 0, 10, 5, GifBuilder::Pattern(10, 5, 2)).Bytes()));
    ASSERT_EQ(host.resizes.size(), 1u);  // the nested notice is ignored
    EXPECT_EQ(std::make_pair(host.resizes[0].Width, host.resizes[0].Height),
              std::make_pair(20, 10));
}

TEST_F(Control, RemoteLoadAnnouncesTheHeaderSizeFirstAndCancelKeepsThePreviousImage) {
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/a.gif");
    ASSERT_TRUE(host.DownloadPending());
    EXPECT_EQ(host.readName, "remoteGIF");
    EXPECT_TRUE(events.empty());
    host.DeliverBytes(OneFrame(16, 12));
    EXPECT_EQ(events, (Events{"complete 240x180 frames 0", "frame 1"}));
    cancel = true;
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/b.gif");
    host.DeliverBytes(TwoFrames());
    EXPECT_EQ(gif.FrameCount(), 1);
    // The stream of the image shown stays as it was: let go after building in run mode.
    EXPECT_TRUE(SavedGif(gif).empty());
}

TEST_F(Control, RemoteLoadFailuresAreReported) {
    gif.LoadAnimatedGIF_Remote("");  // nothing at all
    EXPECT_FALSE(host.DownloadPending());
    for (const Bytes& body : {Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0}, Bytes(20, 'x')}) {
        gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/c");
        host.DeliverBytes(body);  // too short for a header, then no GIF at all
    }
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/d");
    host.DeliverFailure();
    host.downloadsAvailable = false;
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/e");
    EXPECT_EQ(events, Events(4, "failure"));
    // A control destroyed while its download runs cancels it.
    host.downloadsAvailable = true;
    std::make_unique<ucAniGIF>(host)->LoadAnimatedGIF_Remote("http://127.0.0.1:1/f");
    EXPECT_FALSE(host.DownloadPending());
}

}  // namespace
}  // namespace anigif
