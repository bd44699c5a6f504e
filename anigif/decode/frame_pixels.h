#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "decode/frame_record.h"

namespace anigif {

// Decodes the frame whose image descriptor starts at `stream[descriptorPos]` into `pixels`, its
// rows top to bottom, `width` bytes each (interlaced rows are put in display order). Sets the
// record's PixelsDelivered. Pixels the data never delivered must show what lies under the frame:
// they get an index that no delivered pixel uses (the frame's transparent index when it has one),
// and the record is made transparent through it. Only when every index is taken are they 0.
void DecodeFramePixels(std::span<const std::uint8_t> stream, std::size_t descriptorPos,
                       FrameRecord& record, std::span<std::uint8_t> pixels, std::int32_t width);

}  // namespace anigif
