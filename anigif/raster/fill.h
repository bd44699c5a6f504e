#pragma once

#include <cstdint>

#include "raster/pixel_views.h"

namespace anigif {

// Fills a rectangle with one colour (red * 65536 + green * 256 + blue); clipped.
void FillRect(const PixelTarget& dst, const PixelRect& rect, std::uint32_t rgb);

// The outline of a rectangle in a dotted line, one pixel wide; clipped.
void DrawDottedRectangle(const PixelTarget& dst, const PixelRect& rect, std::uint32_t rgb);

// One of the desktop's named colours (window, window frame, button face, ...) by its classic
// index 0..30: the long-standing defaults, so that drawing does not depend on a theme.
std::uint32_t SystemColor(int index);

}  // namespace anigif
