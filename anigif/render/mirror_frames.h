#pragma once

#include <cstdint>

#include "decode/ani_gif_data.h"

namespace anigif {

// Brings frames from MirrorMode to `target` (bit 0 horizontal, bit 1 vertical): flips the frames'
// strip columns and their positions on the canvas, and, when asked, the canvas and mask. Starts at
// frame 2 (and clears the flag) when frame 1 was already mirrored. MirrorMode itself is left to
// the caller.
void MirrorFrames(AniGifData& d, std::int32_t target, bool firstFrameOnly, bool includeCanvas);

}  // namespace anigif
