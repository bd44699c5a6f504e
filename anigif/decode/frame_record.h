#pragma once

#include <array>
#include <cstdint>

namespace anigif {

// One frame of the animation, as found by ParseGifStream.
struct FrameRecord {
    std::int32_t Left = 0;        // frame x on the canvas
    std::int32_t Top = 0;         // frame y on the canvas
    std::int32_t Width = 0;       // frame width in pixels
    std::int32_t Height = 0;      // frame height in pixels
    std::int32_t DelayMs = 0;     // graphic control delay x 10; 0 without one
    std::int32_t ColorTable = 0;  // 0 = global table, n = n-th local table
    // x of the frame's column in the strip: the widths of the frames before it added up. Set when
    // the strip is planned, before any frame is built.
    std::int32_t StripX = 0;
    // Pixels the image data delivered, in stream order; the rest are transparent. Set when the
    // frame is built.
    std::uint32_t PixelsDelivered = 0;
    std::uint8_t TransIndex = 0;
    // 1 when the graphic control extension says so, or when building found pixels the data never
    // delivered and gave them TransIndex.
    std::uint8_t HasTransparency = 0;
    std::uint8_t Disposal = 0;  // 0 none, 1 leave, 2 restore background, 3 restore previous
};

// Where a frame lies in the stream: its image descriptor, then its local table and image data.
struct FrameSpan {
    std::int32_t DescriptorPos = 0;  // 0-based offset of the image separator (0x2C)
};

// 256 colours (red * 65536 + green * 256 + blue) and, in the last slot, the entry count.
inline constexpr std::size_t kColorTableCountSlot = 256;
using ColorTable = std::array<std::uint32_t, 257>;

}  // namespace anigif
