// Colour tables read and replaced in place, and the frame shown exported as a new GIF that an
// independent decoder (giflib) reads back to the frame's colours and indices.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <span>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"
#include "giflib_slurp.h"

namespace anigif {
namespace {

using Entries = std::vector<std::uint32_t>;

// The frame shown, exported, must decode to `indices` (w x h), its colour table `table` (as
// GetPalette gives it) padded to 256 entries with black, and a transparency block exactly when the
// frame has a transparent index.
void ExpectExportedAsShown(ucAniGIF& gif, std::int32_t table, const Bytes& indices, int w, int h,
                           std::optional<int> transparent) {
    const std::optional<GifPicture> picture = gif.AnimatedGIF();
    ASSERT_TRUE(picture);
    const GiflibFile ref = SlurpWithGiflib(picture->Bytes);
    ASSERT_TRUE(ref);
    ASSERT_EQ(ref->ImageCount, 1);
    ASSERT_EQ(std::tie(ref->SWidth, ref->SHeight), std::tie(w, h));
    ASSERT_EQ(ref->SColorMap->ColorCount, 256);
    Entries colours;
    ASSERT_TRUE(gif.GetPalette(table, colours));
    for (std::uint32_t k = 0; k < 256; ++k) {
        const GifColorType& c = ref->SColorMap->Colors[k];
        const std::uint32_t want = k < colours.size() ? colours[k] : 0;
        ASSERT_EQ(std::uint32_t(c.Red << 16 | c.Green << 8 | c.Blue), want) << "colour " << k;
    }
    GraphicsControlBlock gcb{};
    const bool hasBlock = DGifSavedExtensionToGCB(ref.get(), 0, &gcb) == GIF_OK;
    EXPECT_EQ(hasBlock ? std::optional<int>(gcb.TransparentColor) : std::nullopt, transparent);
    // Without the block the image starts right after the 256-entry table.
    EXPECT_EQ(picture->Bytes[hasBlock ? 789 : 781], 0x2C);
    EXPECT_EQ(ShownIndices(gif), indices);
}

struct PaletteExport : HostedGif {
    void SetUp() override { gif.SetDelayAnimation(0); }
};

TEST_F(PaletteExport, ExportedFramesDecodeToTheFramesPixelsAndTables) {
    EXPECT_FALSE(gif.AnimatedGIF());  // nothing shown
    // 200 x 160 of varied 8-bit indices needs far more than 4096 codes: clear codes mid-stream.
    Bytes varied(200 * 160);
    for (std::size_t i = 0; i < varied.size(); ++i) varied[i] = std::uint8_t(i * 2654435761u >> 13);
    Bytes patch = GifBuilder::Pattern(30, 9, 2);
    GifBuilder b;
    b.Header("GIF89a", 200, 160, 2).Image(0, 0, 200, 160, varied, 8).GraphicControl(1, 0, 3);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(b.Image(5, 7, 30, 9, patch).Bytes()));
    gif.SetAction(0);
    ExpectExportedAsShown(gif, 1, varied, 200, 160, std::nullopt);
    gif.SetAction(3);  // a short frame with a 4-entry table and transparency
    ExpectExportedAsShown(gif, 0, patch, 30, 9, 3);
    gif.SetPalette(0, Entries{0x010203, 0x040506, 0x070809, 0x0A0B0C});
    gif.SetMirrored(3);  // upside down and right to left: the pixels in reverse order
    std::reverse(patch.begin(), patch.end());
    ExpectExportedAsShown(gif, 0, patch, 30, 9, 3);
}

TEST_F(PaletteExport, TablesAreReadAndReplacedOnlyWhereTheyExist) {
    GifBuilder b;
    b.Header("GIF89a", 2, 1, 2).Image(0, 0, 2, 1, {1, 2});
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(b.Image(0, 0, 2, 1, {1, 2}, 8).Bytes()));
    Entries a{42};
    // Frame 1 uses the global table, and there is no table 3 or -1.
    for (const std::int32_t table : {1, 3, -1}) EXPECT_FALSE(gif.GetPalette(table, a)) << table;
    EXPECT_EQ(a, Entries{42});
    ASSERT_TRUE(gif.GetPalette(0, a));
    EXPECT_EQ(a.size(), 4u);
    ASSERT_TRUE(gif.GetPalette(2, a));
    ASSERT_EQ(a.size(), 256u);

    Entries longer(300);
    std::iota(longer.begin(), longer.end(), 0x100);
    EXPECT_FALSE(gif.SetPalette(2, std::span(longer).first(255)));  // too few: nothing changes
    EXPECT_TRUE(gif.GetPalette(2, a) && a[0] != 0x100);
    EXPECT_TRUE(gif.SetPalette(2, longer));  // the first 256 are taken
    EXPECT_TRUE(gif.GetPalette(2, a));
    EXPECT_EQ(a, Entries(longer.begin(), longer.begin() + 256));

    // Without a global table, table 0 does not exist.
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(
        GifBuilder().Header("GIF89a", 1, 1, 0).Image(0, 0, 1, 1, {1}, 1).Bytes()));
    a = {42};
    EXPECT_FALSE(gif.GetPalette(0, a));
    EXPECT_FALSE(gif.SetPalette(0, Entries(256, 0)));
    EXPECT_EQ(a, Entries{42});
}

TEST_F(PaletteExport, NewColoursShowAtTheNextPaintAndTheCacheRestoresTheOriginals) {
    host.client = {2, 1};
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(
        GifBuilder().Header("GIF89a", 2, 1, 1).Image(0, 0, 2, 1, {0, 1}).Bytes()));
    auto paint = [this] {
        Surface32 s(2, 1);
        gif.UserControl_Paint(s, 0xFF000000u);
        return Entries{s.Pixel(0, 0) & 0xFFFFFF, s.Pixel(1, 0) & 0xFFFFFF};
    };
    const Entries original = paint();
    EXPECT_TRUE(gif.CacheColorTables());
    EXPECT_TRUE(gif.SetPalette(0, Entries{0xAA0000, 0x00BB00}));
    EXPECT_FALSE(gif.CacheColorTables());  // the first copy stays
    EXPECT_EQ(paint(), (Entries{0xAA0000, 0x00BB00}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(gif.RestoreColorTables(false));
        EXPECT_EQ(paint(), original);
        gif.SetPalette(0, Entries{1, 2});
    }
    EXPECT_TRUE(gif.RestoreColorTables(true));
    EXPECT_FALSE(gif.RestoreColorTables(true));
}

TEST_F(PaletteExport, PlaybackPausesAroundTheCallsAndPlaysOn) {
    GifBuilder b;
    b.Header().GraphicControl(0, 10).Image(0, 0, 1, 1, {1});
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(b.Image(0, 0, 1, 1, {2}).Bytes()));
    host.Advance(60);  // 60 ms into frame 1's 100
    Entries a;
    gif.GetPalette(0, a);
    gif.SetPalette(0, a);
    EXPECT_EQ(gif.Action(), 1);
    host.Advance(60);
    EXPECT_EQ(gif.CurrentFrame(), 1);  // the interval started again at the resume
    host.Advance(40);
    EXPECT_EQ(gif.CurrentFrame(), 2);
}

}  // namespace
}  // namespace anigif
