// Property rules, saved settings and their store, design-time assignment, mouse forwarding.
#include <gtest/gtest.h>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"

namespace anigif {
namespace {

using Names = std::vector<std::string>;

Bytes Image(std::uint16_t w, std::uint16_t h, int frames = 2, std::uint16_t loops = 0) {
    GifBuilder b;
    b.Header("GIF89a", w, h);
    if (loops) b.Netscape(loops);
    for (int i = 0; i < frames; ++i) b.Image(0, 0, w, h, GifBuilder::Pattern(w, h, 2, i));
    return b.Bytes();
}

struct Properties : HostedGif {};

TEST(PropertyBag, KeepsWhatItCanReadOfADamagedStore) {
    PropertyBag bag;
    bag.Write("GIF", Bytes{1, 2, 3});
    bag.Write("Delay", std::int16_t{-7});
    bag.Write("Loops", std::int32_t{70000}, std::int32_t{70000});  // at its default: not written
    bag.Write("OffsetX", std::int32_t{-123456});
    bag.Write("BkgUsed", true);
    const Bytes bytes = bag.Serialize();
    const PropertyBag back = PropertyBag::Parse(bytes);
    EXPECT_EQ(back.Names(), (Names{"GIF", "Delay", "OffsetX", "BkgUsed"}));
    EXPECT_EQ(back.Read("GIF", Bytes{}), (Bytes{1, 2, 3}));
    EXPECT_EQ(back.Read("Delay", std::int16_t{0}), -7);
    EXPECT_EQ(back.Read("OffsetX", std::int32_t{0}), -123456);
    EXPECT_EQ(back.Read("Loops", std::int32_t{5}), 5);  // missing: the default given
    EXPECT_EQ(back.Read("Delay", std::int32_t{9}), 9);  // another type: the default too
    // Cut anywhere, a store gives the values before the cut and nothing else.
    std::size_t previous = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::size_t read = PropertyBag::Parse(std::span(bytes).first(n)).Names().size();
        EXPECT_GE(read, previous);
        previous = read;
    }
    Bytes later = bytes;
    later[4] = 2;  // a version this reader does not know
    EXPECT_TRUE(PropertyBag::Parse(later).Names().empty());
}

TEST_F(Properties, RangesAreEnforcedByIgnoringOrClampingAndChangesMarked) {
    gif.SetMinFrameDelay(5);
    EXPECT_EQ(gif.MinFrameDelay(), 10);
    gif.SetMinFrameDelay(40000);
    EXPECT_EQ(gif.MinFrameDelay(), 32700);
    gif.SetMinFrameDelay(32700);  // unchanged: no mark
    gif.SetLoops(-3);
    EXPECT_EQ(gif.Loops(), 3);
    gif.SetLoops(3);
    gif.SetStretch(7);
    EXPECT_EQ(gif.Stretch(), 1);
    gif.SetMirrored(4);
    EXPECT_EQ(gif.Mirrored(), 0);
    gif.SetMirrored(2);  // nothing loaded: stored and marked
    gif.SetSteppedDelay(-100);
    EXPECT_EQ(gif.SteppedDelay(), 0);
    gif.SetDelayAnimation(4);
    gif.SetDelayAnimation(1);  // unchanged
    gif.SetDelayAnimation(3);
    EXPECT_EQ(host.marks, (Names{"Delay", "Delay", "Loops", "Mirrored", "DelayAnimation"}));
}

TEST_F(Properties, ChangingStretchRewindsAStoppedAnimationAndLeavesAPausedOne) {
    std::vector<std::int32_t> shown;
    gif.FrameChanged = [&](std::int32_t f, bool&) { shown.push_back(f); };
    gif.SetDelayAnimation(0);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(Image(4, 4, 3)));
    gif.SetAction(3);  // paused on frame 2
    shown.clear();
    gif.SetStretch(2);
    EXPECT_EQ(gif.CurrentFrame(), 2);
    EXPECT_TRUE(shown.empty());
    gif.SetAction(0);
    shown.clear();
    gif.SetStretch(0);
    EXPECT_EQ(shown, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(gif.Action(), 0);
}

TEST_F(Properties, DefaultsAreNotSavedAndASavedControlComesBackTheSame) {
    PropertyBag bag;
    gif.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), Names{"GIF"});

    // A designer's control: image assigned, settings changed, saved, restored elsewhere.
    host.runMode = false;
    host.client = {300, 300};
    gif.SetAnimatedGIF(GifPicture{Image(12, 8, 2, 4), 12, 8});
    // The control takes the image's size.
    EXPECT_EQ(std::make_pair(host.client.Width, host.client.Height), std::make_pair(12, 8));
    gif.SetMirrored(1);
    gif.SetLoops(0);  // not written: the file's own count comes back
    gif.SetMinFrameDelay(70);
    gif.SetOffsetY(3);
    gif.SetSolidBkgColor(0x80000005);
    gif.SetSolidBkgColorUsed(true);
    PropertyBag saved;
    gif.WriteProperties(saved);
    saved.Write("DelayLoad", std::int32_t{-1});
    EXPECT_EQ(saved.Names().front(), "GIF");

    FakeHost otherHost;
    otherHost.runMode = false;
    otherHost.client = host.client;
    ucAniGIF other(otherHost);
    other.ReadProperties(PropertyBag::Parse(saved.Serialize()));
    EXPECT_EQ(std::make_tuple(other.Loops(), other.DelayAnimation(), other.Mirrored(),
                              other.MinFrameDelay(), other.OffsetY(), other.SolidBkgColor()),
              std::make_tuple(4, 1, 1, 70, 3, 0x80000005u));
    Surface32 a(12, 8), b(12, 8);
    gif.UserControl_Paint(a, 0xFF000000u);
    other.UserControl_Paint(b, 0xFF000000u);
    EXPECT_TRUE(std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin()));
    EXPECT_EQ(host.marks, (Names{"AnimatedGIF", "Mirrored", "Loops", "Delay"}));
}

TEST_F(Properties, AssignmentOnlyInDesignModeAndMiceInContainerUnits) {
    gif.SetAnimatedGIF(GifPicture{Image(5, 5), 5, 5});  // run mode: ignored
    EXPECT_EQ(gif.FrameCount(), 0);
    host.runMode = false;
    gif.SetAnimatedGIF(GifPicture{Image(5, 5), 5, 5});
    // Built, kept for saving, not playing.
    EXPECT_EQ(std::make_tuple(gif.FrameCount(), SavedGif(gif).empty(), host.TimerArmed()),
              std::make_tuple(2, false, false));
    gif.SetAnimatedGIF(std::nullopt);
    EXPECT_EQ(gif.FrameCount(), 0);

    std::vector<float> at;
    gif.MouseDown = [&](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
        at = {float(button), float(shift), x, y};
    };
    gif.UserControl_MouseDown(2, 1, 10, 0.99);
    EXPECT_EQ(at, (std::vector<float>{2, 1, 150, 14}));  // 15 twips a pixel, taken down
}

}  // namespace
}  // namespace anigif
