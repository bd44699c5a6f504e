#pragma once

#include <cstdint>

#include "decode/gif_animation.h"
#include "render/compositor.h"

namespace anigif {

// Brings the built frames from mirror mode `from` to `to` (bit 0 horizontal, bit 1 vertical):
// flips their strip columns and their positions on the canvas; frame 1 alone when asked. Frames
// not built yet are left as the stream has them. With the canvas included, the canvas is composed
// again from frame 1 in the new orientation at the next draw.
void MirrorFrames(GifAnimation& a, Compositor& c, std::int32_t from, std::int32_t to,
                  bool firstFrameOnly, bool includeCanvas);

// Brings one freshly built frame (as the stream has it) to mirror mode `mode`.
void MirrorBuiltFrame(GifAnimation& a, std::size_t index, std::int32_t mode);

}  // namespace anigif
