#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace anigif {

// What the control draws on: 32 bits a pixel, premultiplied 0xAARRGGBB (opaque unless painted over
// a transparent background), rows top-down without padding: the memory layout of a QImage in
// Format_RGB32 or Format_ARGB32_Premultiplied, so a host shows it without converting.
class Surface32 {
  public:
    static constexpr std::uint32_t kOpaque = 0xFF000000u;

    Surface32() = default;
    // Negative sizes count as 0. Filled with `rgb`.
    Surface32(std::int32_t width, std::int32_t height, std::uint32_t rgb = 0);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint32_t* Row(std::int32_t y) { return pixels_.data() + std::size_t(y) * width_; }
    const std::uint32_t* Row(std::int32_t y) const {
        return pixels_.data() + std::size_t(y) * width_;
    }
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const { return Row(y)[x]; }
    std::span<std::uint32_t> Pixels() { return pixels_; }
    std::span<const std::uint32_t> Pixels() const { return pixels_; }
    void Fill(std::uint32_t rgb);

  private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace anigif
