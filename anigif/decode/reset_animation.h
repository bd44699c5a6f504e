#pragma once

#include "decode/ani_gif_data.h"

namespace anigif {

// Releases everything a previous load made: frames, tables, strip, canvas, mask and the building
// buffers. GifBytes stays, since a load fills it before it resets. Stopping the timer is the
// control's part of the reset.
void ResetAnimation(AniGifData& d);

}  // namespace anigif
