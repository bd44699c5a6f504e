// Every frame the control builds must match what giflib's own full decoder makes of the same
// stream: the records its image descriptors and control blocks, the strip its raster.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "control/uc_ani_gif.h"
#include "fake_host.h"
#include "gif_builder.h"

namespace anigif {
namespace {

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos = 0;
};

int ReadSource(GifFileType* gif, GifByteType* out, int n) {
    auto* s = static_cast<Source*>(gif->UserData);
    const std::size_t k =
        std::min<std::size_t>(static_cast<std::size_t>(n), s->bytes->size() - s->pos);
    std::copy_n(s->bytes->begin() + static_cast<std::ptrdiff_t>(s->pos), k, out);
    s->pos += k;
    return static_cast<int>(k);
}

void ExpectSameAsGiflib(const std::vector<std::uint8_t>& bytes) {
    Source source{&bytes};
    int error = 0;
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> ref(
        DGifOpen(&source, ReadSource, &error), [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    ASSERT_TRUE(ref);
    ASSERT_EQ(DGifSlurp(ref.get()), GIF_OK);

    FakeHost host;
    ucAniGIF gif(host);
    gif.SetDelayAnimation(0);
    ASSERT_TRUE(gif.LoadAnimatedGIF_Array(bytes));
    const AniGifData& d = gif.Data();
    ASSERT_EQ(d.Frames.size(), static_cast<std::size_t>(ref->ImageCount));

    for (int i = 0; i < ref->ImageCount; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        const SavedImage& img = ref->SavedImages[i];
        const FrameRecord& r = d.Frames[static_cast<std::size_t>(i)];
        EXPECT_EQ(r.Left, img.ImageDesc.Left);
        EXPECT_EQ(r.Top, img.ImageDesc.Top);
        ASSERT_EQ(r.Width, img.ImageDesc.Width);
        ASSERT_EQ(r.Height, img.ImageDesc.Height);
        EXPECT_EQ(r.ColorTable != 0, img.ImageDesc.ColorMap != nullptr);
        GraphicsControlBlock gcb{};
        if (DGifSavedExtensionToGCB(ref.get(), i, &gcb) == GIF_OK) {
            EXPECT_EQ(r.DelayMs, gcb.DelayTime * 10);
            EXPECT_EQ(r.HasTransparency == 1, gcb.TransparentColor != NO_TRANSPARENT_COLOR);
            if (r.HasTransparency) {
                EXPECT_EQ(r.TransIndex, gcb.TransparentColor);
            }
            if (i > 0 && gcb.DisposalMode <= 3) {
                EXPECT_EQ(r.Disposal, gcb.DisposalMode);
            }
        }
        for (int y = 0; y < r.Height; ++y) {
            const std::uint8_t* row = d.Strip.Row(y) + r.StripX;
            const GifByteType* want = img.RasterBits + static_cast<std::ptrdiff_t>(y) * r.Width;
            ASSERT_TRUE(std::equal(row, row + r.Width, want)) << "row " << y;
        }
    }
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(GiflibDifferential, EveryFixture) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ANIGIF_FIXTURES_DIR)) {
        if (entry.path().extension() != ".gif") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ExpectSameAsGiflib(ReadFile(entry.path()));
        ++files;
    }
    EXPECT_GE(files, 5);
}

TEST(GiflibDifferential, BuiltStreamsWithInterlaceLocalTablesAndOffsets) {
    ExpectSameAsGiflib(GifBuilder()
                           .Header("GIF89a", 50, 50, 3)
                           .Netscape(4)
                           .GraphicControl(1, 3, 7)
                           .Image(2, 3, 31, 17, GifBuilder::Pattern(31, 17, 3), 0, true)
                           .Comment("c")
                           .GraphicControl(2, 8)
                           .Image(0, 0, 50, 1, GifBuilder::Pattern(50, 1, 8, 9), 8)
                           .Image(49, 49, 1, 1, {5}, 4, true)
                           .Image(0, 0, 9, 2, GifBuilder::Pattern(9, 2, 1, 1), 1, true)
                           .Trailer()
                           .Bytes());
}

}  // namespace
}  // namespace anigif
