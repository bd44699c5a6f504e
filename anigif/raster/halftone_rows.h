#pragma once

#include <cstdint>
#include <vector>

#include "raster/paint_picture.h"

namespace anigif {

// The rows of a picture scaled onto target columns [X0, X1) and rows [Y0, Y1) of `dest`, as
// premultiplied 0xAARRGGBB, in 16-bit integer arithmetic: weights are in 256ths and add up
// exactly.
class HalftoneRows {
  public:
    HalftoneRows(const PixelRect& dest, const Picture& picture, const PixelRect& source,
                 std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1);

    bool Empty() const { return empty_; }
    // Target row y (Y0 <= y < Y1): X1 - X0 pixels.
    const std::uint32_t* Row(std::int64_t y);

    struct Taps {
        std::vector<std::uint32_t> begin;  // per target pixel, into index and weight; one extra
        std::vector<std::int32_t> index;
        std::vector<std::uint32_t> weight;
        std::int64_t lowest = 0;
        std::int64_t highest = -1;
    };

  private:
    Picture picture_;
    std::int64_t y0_ = 0;
    bool empty_ = true;
    Taps down_;
    // Across, every target pixel with the same number of taps (the missing ones weigh 0), so
    // that the loop over them has a fixed length: where in the sums each starts, and its weight.
    std::int32_t acrossTaps_ = 0;
    std::int64_t acrossLowest_ = 0;
    std::size_t fetchedCount_ = 0;
    std::vector<std::uint32_t> acrossAt_;
    std::vector<std::uint16_t> acrossWeight_;
    std::vector<std::uint32_t> fetched_;  // one source row as colours
    std::vector<std::uint16_t> sums_;     // four channels per fetched pixel
    std::vector<std::uint32_t> out_;
};

}  // namespace anigif
