// Every frame the control builds must match what giflib's own full decoder makes of the same
// stream: the records its image descriptors and control blocks, the strip its raster.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <span>
#include <tuple>

#include "control/read_whole_file.h"
#include "decode/build_frames.h"
#include "decode/parse_gif_stream.h"
#include "giflib_slurp.h"

namespace anigif {
namespace {

void ExpectSameAsGiflib(const std::vector<std::uint8_t>& bytes) {
    const GiflibFile ref = SlurpWithGiflib(bytes);
    ASSERT_TRUE(ref);

    ParsedGif parsed = ParseGifStream(bytes);
    GifAnimation& d = parsed.Animation;
    FrameSource source{bytes, std::move(parsed.FrameSpans), {}};
    const std::optional<FirstPassPlan> plan = PlanFirstPass(d, source, false);
    ASSERT_TRUE(plan);
    ASSERT_TRUE(BuildFirstFrame(d, source, *plan));
    BuildRemainingFrames(d, source);
    ASSERT_EQ(d.Frames.size(), static_cast<std::size_t>(ref->ImageCount));

    for (int i = 0; i < ref->ImageCount; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        const SavedImage& img = ref->SavedImages[i];
        const FrameRecord& r = d.Frames[static_cast<std::size_t>(i)];
        const GifImageDesc& desc = img.ImageDesc;
        ASSERT_EQ(std::tie(r.Left, r.Top, r.Width, r.Height),
                  std::tie(desc.Left, desc.Top, desc.Width, desc.Height));
        // Local tables are numbered in stream order, colours red-green-blue from the high byte.
        ASSERT_EQ(r.ColorTable != 0, desc.ColorMap != nullptr);
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : ref->SColorMap;
        const ColorTable& table = d.ColorTables[static_cast<std::size_t>(r.ColorTable)];
        ASSERT_EQ(table[kColorTableCountSlot], static_cast<std::uint32_t>(map->ColorCount));
        for (int k = 0; k < map->ColorCount; ++k) {
            const GifColorType& c = map->Colors[k];
            EXPECT_EQ(table[k], std::uint32_t(c.Red << 16 | c.Green << 8 | c.Blue))
                << "colour " << k;
        }
        GraphicsControlBlock gcb{};
        if (DGifSavedExtensionToGCB(ref.get(), i, &gcb) == GIF_OK) {
            EXPECT_EQ(r.DelayMs, gcb.DelayTime * 10);
            EXPECT_EQ(r.HasTransparency ? int{r.TransIndex} : NO_TRANSPARENT_COLOR,
                      gcb.TransparentColor);
            // 4 to 7 are undefined and mean none.
            EXPECT_EQ(r.Disposal, gcb.DisposalMode > 3 ? 0 : gcb.DisposalMode);
        }
        for (int y = 0; y < r.Height; ++y) {
            const std::uint8_t* row = d.Strip.ColumnRow(std::size_t(i), y);
            ASSERT_TRUE(std::equal(row, row + r.Width, img.RasterBits + y * r.Width))
                << "row " << y;
        }
    }
}

TEST(GiflibDifferential, EveryFixture) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ANIGIF_FIXTURES_DIR)) {
        if (entry.path().extension() != ".gif") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ExpectSameAsGiflib(ReadWholeFile(entry.path(), SIZE_MAX));
        ++files;
    }
    EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace anigif
