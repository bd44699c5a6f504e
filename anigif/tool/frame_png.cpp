#include "tool/frame_png.h"

#include <algorithm>

namespace anigif {

QImage RenderToImage(Surface32& surface, std::int32_t width, std::int32_t height,
                     const std::optional<std::uint32_t>& background,
                     const std::function<void(Surface32&, std::uint32_t)>& paint) {
    if (surface.Width() != width || surface.Height() != height) {
        surface = Surface32();  // the old one goes before the new one is made
        surface = Surface32(width, height);
    }
    paint(surface, background ? 0xFF000000u | *background : 0u);
    // Straight alpha in place, so that the PNG writer takes the pixels as they are, not a
    // converted copy.
    for (std::uint32_t& v : surface.Pixels()) {
        const std::uint32_t a = v >> 24;
        if (a == 0 || a == 255) continue;
        std::uint32_t out = a << 24;
        for (int shift = 0; shift < 24; shift += 8)
            out |= std::min<std::uint32_t>(((v >> shift & 0xFF) * 255 + a / 2) / a, 255) << shift;
        v = out;
    }
    return QImage(reinterpret_cast<const uchar*>(surface.Pixels().data()), width, height, width * 4,
                  QImage::Format_ARGB32);
}

}  // namespace anigif
