#include <gtest/gtest.h>

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>

#include "control/qt/ani_gif_widget.h"
#include "gif_builder.h"
#include "support/wait_until.h"

namespace anigif {
namespace {

QByteArray AsQBytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

struct AniGifWidgetTest : ::testing::Test {
    QHttpServer server;
    quint16 port = 0;
    std::vector<std::uint8_t> gifBytes = GifBuilder()
                                             .Header("GIF89a", 6, 4)
                                             .Image(0, 0, 6, 4, GifBuilder::Pattern(6, 4, 2, 1))
                                             .Image(0, 0, 6, 4, GifBuilder::Pattern(6, 4, 2, 2))
                                             .Trailer()
                                             .Bytes();

    void SetUp() override {
        server.route("/a.gif",
                     [this] { return QHttpServerResponse("image/gif", AsQBytes(gifBytes)); });
        server.route("/page", [] { return QHttpServerResponse("text/html", "<html></html>"); });
        port = server.listen(QHostAddress::LocalHost, 0);
        ASSERT_NE(port, 0);
    }
    std::string Url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(port) + path;
    }
};

TEST_F(AniGifWidgetTest, RemoteLoadThroughTheNetworkThenDeferredBuildThroughQTimer) {
    AniGifWidget widget;
    widget.resize(6, 4);
    ucAniGIF& gif = widget.Control();
    std::vector<std::string> events;
    gif.RemoteLoadComplete = [&](float w, float h, bool&) {
        events.push_back("complete " + std::to_string(int(w)) + "x" + std::to_string(int(h)));
    };
    gif.RemoteLoadFailure = [&] { events.push_back("failure"); };

    gif.LoadAnimatedGIF_Remote(Url("/a.gif"));
    ASSERT_TRUE(WaitUntil([&] { return gif.FrameCount() == 2; }));
    EXPECT_EQ(events, (std::vector<std::string>{"complete 90x60"}));
    // Frame 2 is built 20 ms later from the widget's timer; then the stream is let go.
    ASSERT_TRUE(WaitUntil([&] { return gif.Data().GifBytes.empty(); }));
    EXPECT_EQ(gif.Data().Strip.Row(0)[6], GifBuilder::Pattern(6, 4, 2, 2)[0]);
    EXPECT_EQ(gif.Action(), 1);

    gif.LoadAnimatedGIF_Remote(Url("/page"));
    ASSERT_TRUE(WaitUntil([&] { return events.size() == 2; }));
    gif.LoadAnimatedGIF_Remote(Url("/missing.gif"));
    ASSERT_TRUE(WaitUntil([&] { return events.size() == 3; }));
    EXPECT_EQ(events[1], "failure");
    EXPECT_EQ(events[2], "failure");
}

TEST_F(AniGifWidgetTest, ClosingTheWidgetDuringADownloadIsSafe) {
    bool called = false;
    auto closing = std::make_unique<AniGifWidget>();
    closing->Control().RemoteLoadComplete = [&](float, float, bool&) { called = true; };
    closing->Control().RemoteLoadFailure = [&] { called = true; };
    closing->Control().LoadAnimatedGIF_Remote(Url("/a.gif"));
    closing.reset();
    // A second fetch of the same address finishing shows that the first one had its chance.
    AniGifWidget other;
    other.Control().LoadAnimatedGIF_Remote(Url("/a.gif"));
    ASSERT_TRUE(WaitUntil([&] { return other.Control().FrameCount() == 2; }));
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace anigif
