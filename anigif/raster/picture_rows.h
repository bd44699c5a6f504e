#pragma once

#include <cstdint>

#include "raster/paint_picture.h"

namespace anigif {

// Reads n pixels of source row y from x on as premultiplied 0xAARRGGBB: a transparent pixel is 0,
// every other one opaque. The caller has clipped to the source.
inline void FetchArgbRow(const Picture& p, std::int64_t y, std::int64_t x, std::int32_t n,
                         std::uint32_t* out) {
    const PixelSource& s = p.Pixels;
    if (s.kind == PixelSource::Kind::Indexed) {
        const std::uint8_t* in = s.Row(y) + x;
        for (std::int32_t i = 0; i < n; ++i) out[i] = s.table[in[i]];
        return;
    }
    const auto* c = reinterpret_cast<const std::uint32_t*>(s.Row(y)) + x;
    if (p.Mask.top == nullptr) {
        for (std::int32_t i = 0; i < n; ++i) out[i] = c[i] | 0xFF000000u;
        return;
    }
    const std::uint8_t* m = p.Mask.Row(y) + x;
    // Without branches: the mask's 1 clears the pixel.
    for (std::int32_t i = 0; i < n; ++i) out[i] = (c[i] | 0xFF000000u) & (m[i] - 1u);
}

}  // namespace anigif
