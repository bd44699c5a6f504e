#include "raster/dib.h"

#include <limits>

namespace anigif {

std::int64_t DibRowBytes(int bitsPerPixel, std::int64_t width) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    return ((static_cast<std::int64_t>(bitsPerPixel) * width + 31) & ~std::int64_t{31}) / 8;
}

std::optional<std::uint64_t> DibBytes(int bitsPerPixel, std::int64_t width, std::int64_t height) {
    if (width < 0 || height < 0 || width > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    std::uint64_t total = 0;
    const auto row = static_cast<std::uint64_t>(DibRowBytes(bitsPerPixel, width));
    if (__builtin_mul_overflow(row, static_cast<std::uint64_t>(height), &total))
        return std::nullopt;
    return total;
}

bool DibPixels::Allocate(int bitsPerPixel, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return false;
    const auto total = DibBytes(bitsPerPixel, width, height);
    if (!total || *total > kMaxRasterBytes) return false;
    bits_ = AllocateZeroed(static_cast<std::size_t>(*total));
    size_ = static_cast<std::size_t>(*total);
    width_ = width;
    height_ = height;
    rowBytes_ = static_cast<std::size_t>(DibRowBytes(bitsPerPixel, width));
    return true;
}

std::optional<Dib24> Dib24::Create(std::int32_t width, std::int32_t height) {
    Dib24 dib;
    if (!dib.Allocate(kCellBits, width, height)) return std::nullopt;
    return dib;
}

std::optional<Dib1> Dib1::Create(std::int32_t width, std::int32_t height) {
    Dib1 dib;
    if (!dib.Allocate(kCellBits, width, height)) return std::nullopt;
    return dib;
}

}  // namespace anigif
