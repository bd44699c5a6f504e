#pragma once

#include <cstdint>

namespace anigif {

// How the control shows its animation: scale, mirroring, shift and an optional solid background.
struct GifView {
    float ScaleFactorX = 0;
    float ScaleFactorY = 0;
    std::int32_t MirrorMode = 0;  // bit 0 horizontal, bit 1 vertical
    // Shift of the picture in control pixels, unscaled, whichever way it is drawn.
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    // A colour red + green * 256 + blue * 65536, or a system colour (bit 31 set, index in the low
    // byte), filled under the picture's scaled canvas area when used.
    std::uint32_t SolidBkgColor = 0;
    bool SolidBkgColorUsed = false;
};

}  // namespace anigif
