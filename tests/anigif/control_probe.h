#pragma once

#include <cstdint>
#include <vector>

#include "control/uc_ani_gif.h"
#include "giflib_slurp.h"

// What the control shows from outside: the stream it would save, and the frame shown as the
// colour indices its exported picture holds (read back by giflib).
inline std::vector<std::uint8_t> SavedGif(const anigif::ucAniGIF& gif) {
    anigif::PropertyBag bag;
    gif.WriteProperties(bag);
    return bag.Read("GIF", std::vector<std::uint8_t>{});
}

inline std::vector<std::uint8_t> ShownIndices(const anigif::ucAniGIF& gif) {
    const std::optional<anigif::GifPicture> picture = gif.AnimatedGIF();
    if (!picture) return {};
    const GiflibFile ref = SlurpWithGiflib(picture->Bytes);
    if (!ref || ref->ImageCount != 1) return {};
    const std::uint8_t* bits = ref->SavedImages[0].RasterBits;
    return {bits, bits + std::size_t(picture->Width) * std::size_t(picture->Height)};
}
