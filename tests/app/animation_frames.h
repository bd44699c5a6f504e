#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "app/icons/animation.h"

// Frame `index` of a drawn animation as a window shows it: its clear pixels in `background`.
inline QImage FrameOver(const icons::Animation& a, int index, const QColor& background) {
    QImage image(a.width, a.height, QImage::Format_RGB32);
    const std::vector<std::uint32_t>& argb = a.frames.at(std::size_t(index)).argb;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const std::uint32_t p = argb[std::size_t(y * a.width + x)];
            image.setPixel(x, y, p >> 24 != 0 ? p : background.rgb());
        }
    return image;
}

// What a widget (or a part of it) shows at this moment.
inline QImage Shown(QWidget& widget, const QRect& part = {}) {
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return part.isNull() ? image : image.copy(part);
}
