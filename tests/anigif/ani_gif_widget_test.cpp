#include <gtest/gtest.h>

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>

#include "control/qt/ani_gif_widget.h"
#include "control/qt/gif_picture_image.h"
#include "fake_host.h"
#include "gif_builder.h"
#include "support/wait_until.h"

namespace anigif {
namespace {

const std::vector<std::uint8_t> kGif = [] {
    GifBuilder b;
    b.Header("GIF89a", 6, 4).Image(0, 0, 6, 4, GifBuilder::Pattern(6, 4, 2, 1));
    return b.Image(0, 0, 6, 4, GifBuilder::Pattern(6, 4, 2, 2)).Bytes();
}();

struct AniGifWidgetTest : ::testing::Test {
    QHttpServer server;
    std::string base;

    void SetUp() override {
        server.route("/a.gif", [] {
            const auto* bytes = reinterpret_cast<const char*>(kGif.data());
            return QHttpServerResponse("image/gif", QByteArray(bytes, qsizetype(kGif.size())));
        });
        const quint16 port = server.listen(QHostAddress::LocalHost, 0);
        ASSERT_NE(port, 0);
        base = "http://127.0.0.1:" + std::to_string(port);
    }
};

TEST(AniGifWidget, TheControlsPropertiesAreQtProperties) {
    AniGifWidget widget;
    EXPECT_TRUE(widget.setProperty("Stretch", 3));
    EXPECT_EQ(widget.Control().Stretch(), 3);
    EXPECT_EQ(widget.property("MinFrameDelay").toInt(), 50);
    EXPECT_EQ(widget.metaObject()->indexOfProperty("AnimatedGIF"), -1);  // a picture, not a value
}

TEST_F(AniGifWidgetTest, RemoteLoadThroughTheNetworkThenDeferredBuildThroughQTimer) {
    AniGifWidget widget;
    ucAniGIF& gif = widget.Control();
    std::vector<std::string> events;
    QObject::connect(&widget, &AniGifWidget::RemoteLoadComplete, [&](float w, float h, bool&) {
        events.push_back("complete " + std::to_string(int(w)) + "x" + std::to_string(int(h)));
    });
    QObject::connect(&widget, &AniGifWidget::RemoteLoadFailure,
                     [&] { events.push_back("failure"); });

    gif.LoadAnimatedGIF_Remote(base + "/a.gif");
    ASSERT_TRUE(WaitUntil([&] { return gif.FrameCount() == 2; }));
    EXPECT_EQ(events, (std::vector<std::string>{"complete 90x60"}));
    // Frame 2 is built 20 ms later from the widget's timer; then the stream is let go.
    ASSERT_TRUE(WaitUntil([&] { return SavedGif(gif).empty(); }));
    EXPECT_EQ(gif.Action(), 1);
    // Playing re-arms the timer from inside its own tick.
    ASSERT_TRUE(WaitUntil([&] { return gif.CurrentFrame() == 2; }));

    // The widget draws the frame shown; hiding it pauses, showing it plays on.
    widget.show();
    widget.resize(6, 4);
    gif.SetAction(0);
    EXPECT_EQ(widget.grab().toImage().pixel(0, 0), 0xFF01FE03u);  // index 1 of the table
    // The frame shown as a picture for Qt callers.
    const QImage picture = ToQImage(gif.AnimatedGIF());
    EXPECT_EQ(picture.size(), QSize(6, 4));
    EXPECT_EQ(picture.pixel(0, 0), 0xFF01FE03u);
    gif.SetAction(1);
    widget.hide();
    EXPECT_EQ(gif.Action(), 2);
    widget.show();
    EXPECT_EQ(gif.Action(), 1);

    gif.LoadAnimatedGIF_Remote(base + "/missing.gif");
    ASSERT_TRUE(WaitUntil([&] { return events.size() == 2; }));
    EXPECT_EQ(events[1], "failure");

    // Cancel is a real out-value through the signal: the image shown stays.
    QObject::connect(&widget, &AniGifWidget::RemoteLoadComplete,
                     [](float, float, bool& cancel) { cancel = true; });
    gif.SetAction(3);  // paused on a frame a new load would not keep
    const std::int32_t shown = gif.CurrentFrame();
    gif.LoadAnimatedGIF_Remote(base + "/a.gif");
    ASSERT_TRUE(WaitUntil([&] { return events.size() == 3; }));
    EXPECT_EQ(gif.CurrentFrame(), shown);
    EXPECT_EQ(gif.Action(), 2);
}

}  // namespace
}  // namespace anigif
