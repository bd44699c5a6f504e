#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "raster/dib.h"
#include "raster/zeroed_block.h"

namespace anigif {

// All frames of an animation as colour indices, side by side; a copy takes the frame's colour
// table with its pixels. A frame's column has a logical x in the strip (the widths before it
// added up) but its own compact block of rows in memory: building a frame then writes one block
// instead of a few hundred bytes in every row of a bitmap thousands of pixels wide, and the
// strip does not pad short frames to the tallest one.
class FrameStrip {
  public:
    struct ColumnSize {
        std::int32_t Width = 0;
        std::int32_t Height = 0;
    };

    // Total bytes the columns need, or nothing when that cannot be represented.
    static std::optional<std::uint64_t> BytesFor(std::span<const ColumnSize> columns);

    // Allocates zeroed columns (index 0 everywhere). False when the strip would be empty, wider
    // than 32 bits or beyond kMaxRasterBytes; allocation failure throws std::bad_alloc.
    bool Create(std::span<const ColumnSize> columns);

    bool Empty() const { return columns_.empty(); }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::size_t ColumnCount() const { return columns_.size(); }
    std::int32_t ColumnX(std::size_t i) const { return columns_[i].X; }
    std::int32_t ColumnWidth(std::size_t i) const { return columns_[i].Width; }
    std::int32_t ColumnHeight(std::size_t i) const { return columns_[i].Height; }

    // Row y (0 = top) of column i, ColumnWidth(i) bytes long.
    std::uint8_t* ColumnRow(std::size_t i, std::int32_t y) {
        return bits_.get() + columns_[i].Offset + static_cast<std::size_t>(y) * columns_[i].Width;
    }
    const std::uint8_t* ColumnRow(std::size_t i, std::int32_t y) const {
        return bits_.get() + columns_[i].Offset + static_cast<std::size_t>(y) * columns_[i].Width;
    }

  private:
    struct Column {
        std::int32_t X = 0;
        std::int32_t Width = 0;
        std::int32_t Height = 0;
        std::size_t Offset = 0;
    };
    ZeroedBlock bits_;
    std::vector<Column> columns_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace anigif
