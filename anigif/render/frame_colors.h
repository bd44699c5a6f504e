#pragma once

#include "decode/gif_animation.h"
#include "render/compositor.h"

namespace anigif {

// Frame r's colours for a copy, as 0xAARRGGBB: its table's entries opaque, opaque black from the
// table's count on (an index there names no colour), and 0 (transparent) at its transparent
// index, inside the count or not. Prepared again only when r's table or transparent index differs
// from the last frame's, or LastColorTable was set to -1.
const DibColorTable& FrameColors(const GifAnimation& a, Compositor& c, const FrameRecord& r);

}  // namespace anigif
