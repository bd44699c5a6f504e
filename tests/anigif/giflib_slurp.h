#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "control/uc_ani_gif.h"

// giflib's own full reading of a GIF in memory: the independent decoder the tests compare with.
// Empty when giflib rejects the bytes.
using GiflibFile = std::unique_ptr<GifFileType, void (*)(GifFileType*)>;

inline GiflibFile SlurpWithGiflib(std::span<const std::uint8_t> bytes) {
    auto read = [](GifFileType* gif, GifByteType* out, int n) {
        auto& rest = *static_cast<std::span<const std::uint8_t>*>(gif->UserData);
        const std::size_t k = std::min(rest.size(), static_cast<std::size_t>(n));
        std::copy_n(rest.begin(), k, out);
        rest = rest.subspan(k);
        return static_cast<int>(k);
    };
    int error = 0;
    GiflibFile file(DGifOpen(&bytes, read, &error),
                    [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    if (file && DGifSlurp(file.get()) != GIF_OK) file.reset();
    return file;
}

// The frame shown as the colour indices its exported picture holds, read back by giflib.
inline std::vector<std::uint8_t> ShownIndices(const anigif::ucAniGIF& gif) {
    const std::optional<anigif::GifPicture> picture = gif.AnimatedGIF();
    if (!picture) return {};
    const GiflibFile ref = SlurpWithGiflib(picture->Bytes);
    if (!ref || ref->ImageCount != 1) return {};
    const std::uint8_t* bits = ref->SavedImages[0].RasterBits;
    return {bits, bits + std::size_t(picture->Width) * std::size_t(picture->Height)};
}
