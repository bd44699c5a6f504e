#include "raster/fill.h"

#include <algorithm>
#include <array>

namespace anigif {

void FillRect(const PixelTarget& dst, const PixelRect& rect, std::uint32_t rgb) {
    if (dst.top == nullptr) return;
    const PixelRect r = ClampRect(rect);
    const std::int64_t x0 = std::max<std::int64_t>(r.X, 0);
    const std::int64_t x1 = std::min<std::int64_t>(r.X + r.Width, dst.width);
    const std::int64_t y0 = std::max<std::int64_t>(r.Y, 0);
    const std::int64_t y1 = std::min<std::int64_t>(r.Y + r.Height, dst.height);
    if (x0 >= x1 || y0 >= y1) return;
    const auto n = static_cast<std::size_t>(x1 - x0);
    for (std::int64_t y = y0; y < y1; ++y) {
        if (dst.kind == PixelTarget::Kind::Mono) {
            // White is the mask's 1, every other colour its 0.
            std::fill_n(dst.Row(y) + x0, n, (rgb & 0xFFFFFFu) == 0xFFFFFFu ? 1 : 0);
        } else {
            // The surface is opaque; the canvas keeps its top byte clear.
            const std::uint32_t top = dst.kind == PixelTarget::Kind::Surface ? 0xFF000000u : 0u;
            std::fill_n(reinterpret_cast<std::uint32_t*>(dst.Row(y)) + x0, n,
                        (rgb & 0xFFFFFFu) | top);
        }
    }
}

std::uint32_t SystemColor(int index) {
    // Scroll bar, desktop, active and inactive captions, menu, window, window frame, menu text,
    // window text, caption text, borders, app workspace, highlight, highlight text, button face,
    // shadow, grey text, button text, inactive caption text, highlight, 3D dark shadow and light,
    // info text and background, hot light, gradient captions, menu highlight and bar.
    static constexpr std::array<std::uint32_t, 31> kColors = {
        0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
        0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
        0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x0078D7, 0xF0F0F0};
    if (index < 0 || index >= static_cast<int>(kColors.size())) return 0;
    return kColors[static_cast<std::size_t>(index)];
}

void DrawDottedRectangle(const PixelTarget& dst, const PixelRect& rect, std::uint32_t rgb) {
    const PixelRect r = ClampRect(rect);
    if (dst.top == nullptr || r.Width <= 0 || r.Height <= 0) return;
    // Every other pixel along the outline, counted from the top-left corner.
    auto dot = [&](std::int64_t x, std::int64_t y) {
        if (x < 0 || y < 0 || x >= dst.width || y >= dst.height) return;
        if ((x - r.X + y - r.Y) % 2 != 0) return;
        FillRect(dst, {x, y, 1, 1}, rgb);
    };
    const std::int64_t right = r.X + r.Width - 1;
    const std::int64_t bottom = r.Y + r.Height - 1;
    for (std::int64_t x = std::max<std::int64_t>(r.X, 0);
         x <= std::min<std::int64_t>(right, dst.width - 1); ++x) {
        dot(x, r.Y);
        dot(x, bottom);
    }
    for (std::int64_t y = std::max<std::int64_t>(r.Y, 0);
         y <= std::min<std::int64_t>(bottom, dst.height - 1); ++y) {
        dot(r.X, y);
        dot(right, y);
    }
}

}  // namespace anigif
