#pragma once

#include <cstdint>

#include "decode/ani_gif_data.h"

namespace anigif {

// Brings the built frames from MirrorMode to `target` (bit 0 horizontal, bit 1 vertical): flips
// their strip columns and their positions on the canvas; frame 1 alone when asked. Frames not
// built yet are left as the stream has them. With the canvas included, the canvas is composed
// again from frame 1 in the new orientation at the next draw. MirrorMode itself is left to the
// caller.
void MirrorFrames(AniGifData& d, std::int32_t target, bool firstFrameOnly, bool includeCanvas);

// Brings one freshly built frame (as the stream has it) to MirrorMode.
void MirrorBuiltFrame(AniGifData& d, std::size_t index);

}  // namespace anigif
