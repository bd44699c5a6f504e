#include "movie_player.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>

MoviePlayer::MoviePlayer(const std::vector<std::uint8_t>& bytes, QMovie::CacheMode mode,
                         double scale)
    : data_(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
      buffer_(&data_) {
    buffer_.open(QIODevice::ReadOnly);
    movie_.setDevice(&buffer_);
    movie_.setFormat("gif");
    movie_.setCacheMode(mode);
    const int width = bytes[6] | bytes[7] << 8;
    const int height = bytes[8] | bytes[9] << 8;
    target_ = QImage(static_cast<int>(std::lround(width * scale)),
                     static_cast<int>(std::lround(height * scale)), QImage::Format_RGB32);
    if (mode == QMovie::CacheAll) {
        const int frames = movie_.frameCount();
        for (int i = 0; i < frames; ++i) Step();
        const QPixmap frame = movie_.currentPixmap();
        cacheBytes_ = std::uint64_t(frames) * std::uint64_t(frame.width()) *
                      std::uint64_t(frame.height()) * std::uint64_t(frame.depth() / 8);
    }
}

void MoviePlayer::Step() {
    if (!movie_.jumpToNextFrame()) std::abort();
    const QPixmap frame = movie_.currentPixmap();
    if (frame.isNull()) std::abort();
    target_.fill(0xF0F0F0);
    QPainter painter(&target_);
    if (target_.size() == frame.size()) {
        painter.drawPixmap(0, 0, frame);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target_.rect(), frame);
    }
}
