#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>

#include "raster/zeroed_block.h"

namespace anigif {

// Strip, canvas and mask of one animation together may not need more than this. A few hundred
// bytes of GIF can declare frames of 65535 x 65535; without a ceiling such a file would take the
// machine's memory. The fuzz build lowers it so that each input stays fast.
#ifndef ANIGIF_MAX_RASTER_BYTES
#define ANIGIF_MAX_RASTER_BYTES (512ull * 1024 * 1024)
#endif
inline constexpr std::uint64_t kMaxRasterBytes = ANIGIF_MAX_RASTER_BYTES;

// Bytes of one bitmap row: rows are padded to a multiple of 32 bits. Zero for non-positive widths.
std::int64_t DibRowBytes(int bitsPerPixel, std::int64_t width);

// Bytes of a whole bitmap, or nothing when the size cannot be represented.
std::optional<std::uint64_t> DibBytes(int bitsPerPixel, std::int64_t width, std::int64_t height);

// Colour values are red * 65536 + green * 256 + blue, the layout of a QRgb without alpha.
using DibColorTable = std::array<std::uint32_t, 256>;

// Zeroed pixel memory with rows stored bottom-up, so image row y is memory row Height - 1 - y.
// A default-constructed bitmap is "none".
class DibPixels {
  public:
    DibPixels() = default;

    bool Empty() const { return size_ == 0; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::size_t RowBytes() const { return rowBytes_; }

    std::uint8_t* Row(std::int32_t y) { return bits_.get() + MemoryRow(y) * rowBytes_; }
    const std::uint8_t* Row(std::int32_t y) const { return bits_.get() + MemoryRow(y) * rowBytes_; }
    std::span<std::uint8_t> Bits() { return {bits_.get(), size_}; }
    std::span<const std::uint8_t> Bits() const { return {bits_.get(), size_}; }

  protected:
    // False when the size is zero, negative, or beyond kMaxRasterBytes; allocation failure throws
    // std::bad_alloc as usual.
    bool Allocate(int bitsPerPixel, std::int32_t width, std::int32_t height);

  private:
    std::size_t MemoryRow(std::int32_t y) const {
        return static_cast<std::size_t>(height_ - 1 - y);
    }

    ZeroedBlock bits_;
    std::size_t size_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::size_t rowBytes_ = 0;
};

// The composition canvas: 24-bit colours, each kept in a 32-bit cell (top byte 0) so that every
// pass over it is a plain loop over words.
class Dib24 : public DibPixels {
  public:
    static constexpr int kCellBits = 32;
    static std::optional<Dib24> Create(std::int32_t width, std::int32_t height);

    std::uint32_t* Cells(std::int32_t y) { return reinterpret_cast<std::uint32_t*>(Row(y)); }
    const std::uint32_t* Cells(std::int32_t y) const {
        return reinterpret_cast<const std::uint32_t*>(Row(y));
    }
};

// The canvas mask: 1 = white (nothing drawn, the background shows), 0 = black (covered). Each value
// has a byte of its own, again for plain loops.
class Dib1 : public DibPixels {
  public:
    static constexpr int kCellBits = 8;
    static std::optional<Dib1> Create(std::int32_t width, std::int32_t height);

    bool Get(std::int32_t x, std::int32_t y) const { return Row(y)[x] != 0; }
    void Set(std::int32_t x, std::int32_t y, bool white) { Row(y)[x] = white ? 1 : 0; }
};

}  // namespace anigif
