#include "raster/surface.h"

#include <algorithm>

namespace anigif {

Surface32::Surface32(std::int32_t width, std::int32_t height, std::uint32_t rgb)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), rgb | kOpaque) {}

void Surface32::Fill(std::uint32_t rgb) {
    std::fill(pixels_.begin(), pixels_.end(), rgb | kOpaque);
}

}  // namespace anigif
