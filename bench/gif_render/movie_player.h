#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QMovie>

#include <cstdint>
#include <vector>

// QMovie playing the same animation as a Qt program would show it: advance a frame, then erase
// and paint it onto an image the size of the control's surface (scaled smoothly there when the
// sizes differ).
class MoviePlayer {
  public:
    // CacheAll: after construction every frame has been read once, so the cache is full and
    // steps draw cached pixmaps. CacheNone: steps decode as they go.
    MoviePlayer(const std::vector<std::uint8_t>& bytes, QMovie::CacheMode mode, double scale);

    void Step();
    const QImage& Target() const { return target_; }
    // The pixmaps the cache holds, in bytes (every frame's picture at its depth); 0 for CacheNone.
    std::uint64_t CacheBytes() const { return cacheBytes_; }

  private:
    QByteArray data_;
    QBuffer buffer_;
    QMovie movie_;
    QImage target_;
    std::uint64_t cacheBytes_ = 0;
};
