#include <gtest/gtest.h>

#include <string>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"

namespace anigif {
namespace {

struct RemoteLoad : ::testing::Test {
    FakeHost host;
    ucAniGIF gif{host};
    std::vector<std::string> events;
    bool cancel = false;

    void SetUp() override {
        gif.RemoteLoadComplete = [this](float w, float h, bool& c) {
            events.push_back("complete " + std::to_string(int(w)) + "x" + std::to_string(int(h)) +
                             " frames " + std::to_string(gif.FrameCount()));
            c = cancel;
        };
        gif.RemoteLoadFailure = [this] { events.push_back("failure"); };
        gif.FrameChanged = [this](std::int32_t f, bool&) {
            events.push_back("frame " + std::to_string(f));
        };
    }
    static std::vector<std::uint8_t> Gif(std::uint16_t w, std::uint16_t h,
                                         std::uint16_t frameW = 3) {
        return GifBuilder()
            .Header("GIF89a", w, h)
            .Image(0, 0, frameW, 1, {0, 1, 2})
            .Trailer()
            .Bytes();
    }
};

TEST_F(RemoteLoad, TheHeaderSizeIsAnnouncedInContainerUnitsBeforeTheLoad) {
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/a.gif");
    ASSERT_EQ(host.downloads, (std::vector<std::string>{"http://127.0.0.1:1/a.gif"}));
    EXPECT_TRUE(events.empty());
    host.DeliverBytes(Gif(16, 12));
    EXPECT_EQ(events, (std::vector<std::string>{"complete 240x180 frames 0", "frame 1"}));
}

TEST_F(RemoteLoad, CancelKeepsThePreviousImageAndItsStream) {
    host.runMode = false;  // a designer keeps the stream it would save
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(Gif(1, 1)));
    cancel = true;
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/b.gif");
    host.DeliverBytes(Gif(9, 9, 2));
    EXPECT_EQ(gif.Data().Frames[0].Width, 3);
    EXPECT_EQ(gif.Data().GifBytes, Gif(1, 1));
}

TEST_F(RemoteLoad, ShortForeignOrFailedDownloadsReportFailure) {
    gif.LoadAnimatedGIF_Remote("");  // nothing at all
    EXPECT_TRUE(host.downloads.empty());
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/c");
    host.DeliverBytes({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0});  // 14 bytes
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/d");
    auto png = Gif(4, 4);
    png[1] = 'P';
    host.DeliverBytes(png);
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/e");
    host.DeliverFailure();
    host.downloadsAvailable = false;
    gif.LoadAnimatedGIF_Remote("http://127.0.0.1:1/f");
    EXPECT_EQ(events, std::vector<std::string>(4, "failure"));
    EXPECT_EQ(gif.FrameCount(), 0);
}

TEST_F(RemoteLoad, DestroyingTheControlCancelsItsDownload) {
    FakeHost other;
    auto temporary = std::make_unique<ucAniGIF>(other);
    temporary->LoadAnimatedGIF_Remote("http://127.0.0.1:1/g");
    temporary.reset();
    EXPECT_FALSE(other.DownloadPending());
}

}  // namespace
}  // namespace anigif
