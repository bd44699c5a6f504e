#include "raster/frame_strip.h"

#include <algorithm>
#include <limits>

namespace anigif {

std::optional<std::uint64_t> FrameStrip::BytesFor(std::span<const ColumnSize> columns) {
    std::uint64_t total = 0;
    for (const ColumnSize& c : columns) {
        if (c.Width < 0 || c.Height < 0) return std::nullopt;
        const std::uint64_t bytes = std::uint64_t(c.Width) * std::uint64_t(c.Height);
        if (__builtin_add_overflow(total, bytes, &total)) return std::nullopt;
    }
    return total;
}

bool FrameStrip::Create(std::span<const ColumnSize> columns) {
    const std::optional<std::uint64_t> total = BytesFor(columns);
    if (!total || *total > kMaxRasterBytes || columns.empty()) return false;
    std::vector<Column> planned;
    planned.reserve(columns.size());
    std::int64_t x = 0;
    std::int32_t height = 0;
    std::size_t offset = 0;
    for (const ColumnSize& c : columns) {
        planned.push_back({static_cast<std::int32_t>(
                               std::min<std::int64_t>(x, std::numeric_limits<std::int32_t>::max())),
                           c.Width, c.Height, offset});
        x += c.Width;
        height = std::max(height, c.Height);
        offset += static_cast<std::size_t>(c.Width) * static_cast<std::size_t>(c.Height);
    }
    if (x <= 0 || height <= 0 || x > std::numeric_limits<std::int32_t>::max()) return false;
    bits_ = AllocateZeroed(offset);
    columns_ = std::move(planned);
    width_ = static_cast<std::int32_t>(x);
    height_ = height;
    return true;
}

}  // namespace anigif
