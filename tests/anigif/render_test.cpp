// Drawing through the control onto a surface, with exact expected pixels. Every table here is a
// global one (entry i is red i, green 255 - i, blue 3i): drawing the first frame with real colours
// also shows that no stale table is taken for loaded.
#include <gtest/gtest.h>

#include <limits>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"
#include "raster/paint_picture.h"
#include "render/compute_scale.h"

namespace anigif {
namespace {

using Row = std::vector<std::uint32_t>;
constexpr std::uint32_t kErased = 0xFF123456;  // what the host erased the control with

std::uint32_t Colour(int i) {
    return 0xFF000000u | std::uint32_t(i) << 16 | std::uint32_t(255 - i) << 8 |
           std::uint32_t(i * 3 & 0xFF);
}

struct Render : HostedGif {
    void SetUp() override { gif.SetDelayAnimation(0); }
    void Load(const Bytes& bytes, PixelSize client) {
        host.client = client;
        ASSERT_TRUE(gif.LoadAnimatedGIF_Array(bytes));
        gif.SetAction(2);  // stepped by hand
    }
    Surface32 Paint() {
        Surface32 surface(host.client.Width, host.client.Height);
        gif.UserControl_Paint(surface, kErased);
        return surface;
    }
    Row PaintRow(std::int32_t y) {
        const Surface32 s = Paint();
        return Row(s.Row(y), s.Row(y) + s.Width());
    }
};

TEST(ComputeScale, FollowsTheStretchMode) {
    // Mode, control size in; scale factors and drawn size out.
    using Case = std::tuple<StretchMode, std::int32_t, std::int32_t, float, float, int, int>;
    const Case cases[] = {{StretchMode::Shrink, 400, 400, 1, 1, 100, 50},
                          {StretchMode::Shrink, 50, 400, .5, .5, 50, 25},
                          {StretchMode::Fit, 300, 300, 3, 3, 300, 150},
                          {StretchMode::None, 60, 200, 1, 1, 60, 50},
                          {StretchMode::Fill, 200, 25, 2, .5, 200, 25},
                          {StretchMode::Exact, 7, 7, 1, 1, 100, 50},
                          {StretchMode::Fit, 150, 75, 1.5, 1.5, 150, 75}};
    for (const auto& [mode, inW, inH, sx, sy, outW, outH] : cases) {
        GifAnimation a;
        a.CanvasWidth = 100;
        a.CanvasHeight = 50;
        GifView d;
        std::int32_t w = inW, h = inH;
        ComputeScale(a, d, mode, w, h);
        EXPECT_EQ(std::tie(d.ScaleFactorX, d.ScaleFactorY, w, h), std::tie(sx, sy, outW, outH))
            << int(mode) << " " << inW << "x" << inH;
    }
}

TEST_F(Render, OffsetsAreControlPixelsWhicheverWayAFileIsDrawn) {
    gif.SetStretch(2);  // fill: a 2 x 1 image in a 4 x 2 control is scale 2
    gif.SetOffsetX(1);
    GifBuilder b;
    Load(b.Header("GIF89a", 2, 1).Image(0, 0, 2, 1, {1, 1}).Bytes(), {4, 2});
    EXPECT_EQ(PaintRow(1), (Row{kErased, Colour(1), Colour(1), Colour(1)}));
    // A transparent patch over a full first frame is composed on the canvas.
    Load(b.GraphicControl(1, 0, 0).Image(0, 0, 1, 1, {0}).Bytes(), {4, 2});
    EXPECT_EQ(PaintRow(1), (Row{kErased, Colour(1), Colour(1), Colour(1)}));
    // Offsets far out of range draw nothing and overflow nothing.
    gif.SetOffsetX(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(PaintRow(0), Row(4, kErased));
}

TEST_F(Render, TransparentPixelsShowTheErasedAreaOrTheSolidColour) {
    Load(GifBuilder().Header().GraphicControl(0, 0, 2).Image(0, 0, 2, 1, {1, 2}).Bytes(), {2, 1});
    EXPECT_EQ(PaintRow(0), (Row{Colour(1), kErased}));
    gif.SetSolidBkgColorUsed(true);
    gif.SetSolidBkgColor(0x0000FF);  // red as red + green * 256 + blue * 65536
    EXPECT_EQ(PaintRow(0), (Row{Colour(1), 0xFFFF0000}));
    gif.SetSolidBkgColor(0x80000005);  // the desktop's window colour
    EXPECT_EQ(PaintRow(0), (Row{Colour(1), 0xFFFFFFFF}));
}

TEST_F(Render, TheCanvasFollowsEveryFrameShownPaintedOrNot) {
    // Disposal itself is the golden folders' part; here frames 2 and 3 are never painted.
    GifBuilder b;
    b.Header("GIF89a", 3, 1, 3).GraphicControl(1, 0).Image(0, 0, 3, 1, {1, 1, 1});
    b.GraphicControl(3, 0).Image(1, 0, 1, 1, {2}).GraphicControl(2, 0).Image(2, 0, 1, 1, {3});
    Load(b.GraphicControl(1, 0).Image(0, 0, 1, 1, {4}).Bytes(), {3, 1});
    const Row fourth{Colour(4), Colour(1), kErased};
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(PaintRow(0), (Row{Colour(1), Colour(1), Colour(1)}));
        for (int i = 0; i < 3; ++i) gif.SetAction(3);
        EXPECT_EQ(PaintRow(0), fourth);
        EXPECT_EQ(PaintRow(0), fourth) << "painted again";
        gif.SetAction(3);  // round to frame 1: composed afresh
    }
}

TEST_F(Render, MirroringFlipsFramesAndTheirPlaces) {
    GifBuilder b;
    b.Header("GIF89a", 3, 1).Image(0, 0, 3, 1, {1, 1, 1}).GraphicControl(1, 0, 0);
    Load(b.Image(2, 0, 1, 1, {2}).Bytes(), {3, 1});
    gif.SetAction(3);
    EXPECT_EQ(PaintRow(0), (Row{Colour(1), Colour(1), Colour(2)}));
    gif.SetMirrored(1);
    EXPECT_EQ(PaintRow(0), (Row{Colour(2), Colour(1), Colour(1)}));
}

TEST_F(Render, EachFrameTakesItsOwnTableBlackBeyondItsCountAndItsOwnTransparentIndex) {
    // Frame 1 uses the 256-entry global table, with index 2 transparent; frame 2's
    // own table has 4 entries, so its index 5 names nothing, and its transparent index 6 lies
    // beyond the table too.
    GifBuilder b;
    b.Header("GIF89a", 3, 1, 8).GraphicControl(1, 0, 2).Image(0, 0, 3, 1, {5, 5, 2});
    Load(b.GraphicControl(1, 0, 6).Image(0, 0, 2, 1, {5, 6}, 2).Bytes(), {3, 1});
    EXPECT_EQ(PaintRow(0), (Row{Colour(5), Colour(5), kErased}));
    gif.SetAction(3);
    EXPECT_EQ(PaintRow(0), (Row{0xFF000000u, Colour(5), kErased}));
}

TEST(Halftone, AveragesWhenShrinkingAndBlendsWhenEnlargingInOnePass) {
    Surface32 source(2, 2);
    source.Row(0)[1] = source.Row(1)[0] = 0xFFFFFFFF;
    Picture picture;
    picture.Pixels.kind = PixelSource::Kind::Rgb;
    picture.Pixels.top = reinterpret_cast<const std::uint8_t*>(source.Row(0));
    picture.Pixels.stride = 8;
    picture.Pixels.width = picture.Pixels.height = 2;
    Underlay under;
    under.Color = kErased;
    Surface32 small(2, 1);  // the picture in the first pixel, the underlay beside it
    PaintPicture(TargetOf(small), {0, 0, 1, 1}, picture, {0, 0, 2, 2}, true, under);
    EXPECT_EQ(Row(small.Row(0), small.Row(0) + 2), (Row{0xFF808080, kErased}));
    // Row 0 (black, white) to four pixels, mirrored: white first, black last, blends between.
    Surface32 wide(4, 1);
    PaintPicture(TargetOf(wide), {0, 0, 4, 1}, picture, {1, 0, -2, 1}, true, under);
    EXPECT_EQ(Row(wide.Row(0), wide.Row(0) + 4),
              (Row{0xFFFFFFFF, 0xFFBFBFBF, 0xFF404040, 0xFF000000}));
}

}  // namespace
}  // namespace anigif
