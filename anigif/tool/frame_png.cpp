#include "tool/frame_png.h"

#include <algorithm>

namespace anigif {

QImage RenderToImage(std::int32_t width, std::int32_t height,
                     const std::optional<std::uint32_t>& background,
                     const std::function<void(Surface32&)>& draw) {
    if (background) {
        Surface32 surface(width, height, *background);
        draw(surface);
        return QImage(reinterpret_cast<const uchar*>(surface.Pixels().data()), width, height,
                      width * 4, QImage::Format_RGB32)
            .copy();
    }
    Surface32 onBlack(width, height, 0x000000);
    Surface32 onWhite(width, height, 0xFFFFFF);
    draw(onBlack);
    draw(onWhite);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (std::int32_t y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < width; ++x) {
            const QRgb b = onBlack.Pixel(x, y);
            const QRgb w = onWhite.Pixel(x, y);
            const int shown =
                std::max({qRed(w) - qRed(b), qGreen(w) - qGreen(b), qBlue(w) - qBlue(b), 0});
            const int alpha = 255 - std::min(shown, 255);
            // Over black the colour is already multiplied by its cover.
            out[x] = qRgba(std::min(qRed(b), alpha), std::min(qGreen(b), alpha),
                           std::min(qBlue(b), alpha), alpha);
        }
    }
    return image;
}

}  // namespace anigif
