#include "raster/surface.h"

#include <algorithm>

#include "raster/words4.h"

namespace anigif {

Surface32::Surface32(std::int32_t width, std::int32_t height, std::uint32_t rgb)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), rgb | kOpaque) {}

void Surface32::Fill(std::uint32_t rgb) {
    // The host erases the whole surface before every paint: worth four pixels a store.
    const std::uint32_t v = rgb | kOpaque;
    std::uint32_t* p = pixels_.data();
    const std::size_t n = pixels_.size();
    std::size_t i = 0;
    for (const Words4 four = SplatWords4(v); i + 4 <= n; i += 4) StoreWords4(p + i, four);
    for (; i < n; ++i) p[i] = v;
}

}  // namespace anigif
