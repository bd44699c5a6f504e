#pragma once

#include <cstdint>

#include "decode/gif_animation.h"
#include "render/compositor.h"

namespace anigif {

enum class ComposePhase { BeforeDisplay, AfterDisplay };

// Canvas and mask bookkeeping for frame n (1-based). Before display: frame 1 clears the canvas
// to black and the mask to white (all background); a frame that restores the previous picture
// saves what lies under it; the mask turns black wherever the frame has an opaque pixel. After
// display: restore to background clears the frame's rectangle, restore to previous puts back
// what was saved.
void ComposeFrame(const GifAnimation& a, Compositor& c, std::int32_t n, ComposePhase phase);

// Brings the canvas to the picture of frame n: disposes of the frame it holds, then composes
// the frames up to n (from frame 1 when n lies before it). Each frame shown advances the canvas
// once, whether or not a paint follows; painting only shows it. Nothing without a canvas.
void AdvanceCanvas(const GifAnimation& a, Compositor& c, std::int32_t n);

}  // namespace anigif
