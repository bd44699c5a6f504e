#pragma once

#include "decode/ani_gif_data.h"

namespace anigif {

// Creates the 24-bit composition canvas of CanvasWidth x CanvasHeight and, when asked, its 1-bit
// mask. False (and nothing created) when either cannot be made.
bool CreateCanvas(AniGifData& d, bool withMask);

}  // namespace anigif
