// Playback on the fake host's manual clock: intervals, loops, commands, events.
#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <string>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"

namespace anigif {
namespace {

using Events = std::vector<std::string>;

// Three 1 x 1 frames with delays of 20, 100 and 0 ms.
std::vector<std::uint8_t> ThreeFrames(std::uint16_t loops = 0) {
    GifBuilder b;
    b.Header("GIF89a", 1, 1);
    if (loops != 0) b.Netscape(loops);
    b.GraphicControl(0, 2).Image(0, 0, 1, 1, {1}).GraphicControl(0, 10).Image(0, 0, 1, 1, {2});
    return b.GraphicControl(0, 0).Image(0, 0, 1, 1, {3}).Bytes();
}

struct Playback : HostedGif {
    Events events;

    void SetUp() override {
        gif.SetDelayAnimation(0);
        // The frame shown when the event arrives, and the number the event carries.
        gif.FrameChanged = [this](std::int32_t f, bool& viaTimer) {
            events.push_back(std::to_string(gif.CurrentFrame()) + (viaTimer ? " tick " : " cmd ") +
                             std::to_string(f));
        };
        gif.LoopsEnded = [this] { events.push_back("ended"); };
    }
};

TEST_F(Playback, EachFrameStaysItsDelayAtLeastTheMinimumOrExactlyTheSteppedDelay) {
    // Counted from when the frame was due, not from after its paint (21 ms here).
    host.paintMs = 21;
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames()));
    host.Advance(50 + 100 + 50);
    EXPECT_EQ(host.timerStarts, (std::vector<std::int32_t>{50, 79, 29, 29}));
    EXPECT_EQ(gif.CurrentFrame(), 1);  // a whole pass in 200 ms
    host.paintMs = 0;
    for (const std::int32_t stepped : {500, 5}) {
        gif.SetSteppedDelay(stepped);
        host.Advance(1000);  // the timer armed before takes the new delay from its next start
        host.timerStarts.clear();
        host.Advance(3 * stepped);
        EXPECT_EQ(host.timerStarts, std::vector<std::int32_t>(3, stepped));
    }
}

TEST_F(Playback, LoopsRunFullPassesAndEndOnFrameOne) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames(2)));
    EXPECT_EQ(gif.LoopsRemaining(), 2);
    host.Advance(10'000);
    EXPECT_EQ(events, (Events{"2 tick 1", "3 tick 2", "1 tick 3", "2 tick 1", "3 tick 2",
                              "1 tick 3", "ended"}));
    EXPECT_EQ(std::make_tuple(gif.LoopsRemaining(), gif.Action(), host.TimerArmed()),
              std::make_tuple(0, 0, false));

    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames()));
    EXPECT_EQ(gif.LoopsRemaining(), std::numeric_limits<std::int32_t>::max());
    gif.SetLoops(1);  // applies from the next stop; the endless pass goes on
    host.Advance(10'000);
    EXPECT_EQ(gif.Action(), 1);
}

TEST_F(Playback, CommandsMoveFramesAndReportThem) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames(5)));
    host.Advance(150);  // on frame 3
    events.clear();
    gif.SetAction(3);  // next frame: wraps without counting a loop
    EXPECT_EQ(std::make_tuple(gif.CurrentFrame(), gif.LoopsRemaining(), gif.Action()),
              std::make_tuple(1, 5, 2));
    EXPECT_FALSE(host.TimerArmed());
    gif.SetAction(1);
    host.Advance(50);
    // Stop; pausing a stopped animation does nothing; 4 plays.
    for (const auto& [command, action] : {std::pair{0, 0}, {2, 0}, {4, 1}}) {
        gif.SetAction(command);
        EXPECT_EQ(gif.Action(), action) << command;
    }
    gif.SetAction(7);
    EXPECT_EQ(events, (Events{"1 cmd 1", "2 tick 1", "1 cmd 1", "1 cmd 1"}));
}

TEST_F(Playback, HidingPausesShowingPlaysOnNothingPlaysInDesignMode) {
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames()));
    gif.UserControl_Hide();
    EXPECT_EQ(gif.Action(), 2);
    host.Advance(1000);
    EXPECT_EQ(gif.CurrentFrame(), 1);
    gif.UserControl_Show();
    host.Advance(50);
    EXPECT_EQ(gif.CurrentFrame(), 2);
    host.runMode = false;
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames()));
    gif.SetAction(1);
    EXPECT_EQ(gif.Action(), 0);
}

TEST_F(Playback, StoppingDuringTheBuildWaitStillBuildsEveryFrame) {
    gif.SetDelayAnimation(1);
    for (const std::int32_t command : {0, 2, 3}) {
        ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames()));
        EXPECT_FALSE(SavedGif(gif).empty());
        gif.SetAction(command);
        EXPECT_TRUE(SavedGif(gif).empty()) << command;  // built: the stream is let go
        EXPECT_FALSE(host.TimerArmed());
        gif.SetAction(1);
        host.Advance(100);
        EXPECT_GT(gif.CurrentFrame(), 1) << command;
    }
}

TEST_F(Playback, RunningOutOfMemoryInTheDeferredBuildEmptiesTheControl) {
    gif.SetDelayAnimation(2);  // announces frame 1 when the build ends
    gif.FrameChanged = [](std::int32_t, bool&) { throw std::bad_alloc(); };
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(ThreeFrames()));
    host.Advance(20);
    EXPECT_EQ(std::make_tuple(gif.FrameCount(), !gif.AnimatedGIF(), host.TimerArmed()),
              std::make_tuple(0, true, false));
}

}  // namespace
}  // namespace anigif
