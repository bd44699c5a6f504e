// Every frame the parser finds and the decoder builds must match giflib's own full reading of the
// stream, index for index, in every test GIF that giflib reads at all.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "control/read_whole_file.h"
#include "decode/frame_pixels.h"
#include "decode/parse_gif_stream.h"
#include "giflib_slurp.h"

namespace anigif {
namespace {

TEST(GiflibDifferential, EveryFixtureAndGoldenInput) {
    int compared = 0;
    for (const char* dir : {ANIGIF_FIXTURES_DIR, ANIGIF_REFERENCE_DIR}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
            if (entry.path().extension() != ".gif") continue;
            SCOPED_TRACE(entry.path().string());
            const std::vector<std::uint8_t> bytes = ReadWholeFile(entry.path(), SIZE_MAX);
            const GiflibFile ref = SlurpWithGiflib(bytes);
            if (!ref) continue;  // our rules for broken streams are tested on their own
            ++compared;
            ParsedGif d = ParseGifStream(bytes);
            ASSERT_EQ(d.Animation.Frames.size(), std::size_t(ref->ImageCount));
            for (int i = 0; i < ref->ImageCount; ++i) {
                const GifImageDesc& desc = ref->SavedImages[i].ImageDesc;
                FrameRecord& r = d.Animation.Frames[std::size_t(i)];
                ASSERT_EQ(std::tie(r.Left, r.Top, r.Width, r.Height),
                          std::tie(desc.Left, desc.Top, desc.Width, desc.Height));
                std::vector<std::uint8_t> pixels(std::size_t(r.Width) * std::size_t(r.Height));
                DecodeFramePixels(bytes, std::size_t(d.FrameSpans[std::size_t(i)].DescriptorPos), r,
                                  pixels, r.Width);
                EXPECT_EQ(r.PixelsDelivered, pixels.size()) << "frame " << i + 1;
                EXPECT_TRUE(
                    std::equal(pixels.begin(), pixels.end(), ref->SavedImages[i].RasterBits))
                    << "frame " << i + 1;
            }
        }
    }
    EXPECT_GE(compared, 16);
}

}  // namespace
}  // namespace anigif
