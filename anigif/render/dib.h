#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>

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

// Pixel memory shared by the three bitmap kinds: rows stored bottom-up, so image row y is memory
// row Height - 1 - y. A default-constructed bitmap is "none".
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

    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    // Zeroed by calloc: large blocks come as fresh zero pages from the system, so a strip of
    // tens of megabytes is not written twice (once with zeros, once with frames).
    std::unique_ptr<std::uint8_t[], Free> bits_;
    std::size_t size_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::size_t rowBytes_ = 0;
};

// Colour-table values are red * 65536 + green * 256 + blue.
using DibColorTable = std::array<std::uint32_t, 256>;

// 8 bits per pixel with a replaceable 256-entry colour table.
class Dib8 : public DibPixels {
  public:
    static std::optional<Dib8> Create(std::int32_t width, std::int32_t height);

    DibColorTable& ColorTable() { return colorTable_; }
    const DibColorTable& ColorTable() const { return colorTable_; }
    // Loads `count` entries from `first` on, as a colour-table update of a device bitmap does.
    void SetColorTable(std::size_t first, std::span<const std::uint32_t> entries);

  private:
    DibColorTable colorTable_{};
};

// 24 bits per pixel, blue-green-red byte order per pixel.
class Dib24 : public DibPixels {
  public:
    static std::optional<Dib24> Create(std::int32_t width, std::int32_t height);
};

// 1 bit per pixel, most significant bit first; entry 0 is black, entry 1 white.
class Dib1 : public DibPixels {
  public:
    static std::optional<Dib1> Create(std::int32_t width, std::int32_t height);

    bool Get(std::int32_t x, std::int32_t y) const { return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
    void Set(std::int32_t x, std::int32_t y, bool white) {
        std::uint8_t& b = Row(y)[x >> 3];
        const auto bit = static_cast<std::uint8_t>(0x80u >> (x & 7));
        b = white ? static_cast<std::uint8_t>(b | bit) : static_cast<std::uint8_t>(b & ~bit);
    }
};

}  // namespace anigif
