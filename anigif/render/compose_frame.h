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
void ComposeFrame(const GifAnimation& a, Compositor& c, std::int32_t n, ComposePhase phase,
                  bool layPixels = true);

// Lays frame n's pixels on canvas rows [fromRow, toRow) (where it has any, once it is built).
void LayFramePixels(const GifAnimation& a, Compositor& c, std::int32_t n, std::int64_t fromRow,
                    std::int64_t toRow);

// Brings the canvas to the picture of frame n: disposes of the frame it holds, then composes
// the frames up to n (from frame 1 when n lies before it). Nothing without a canvas. Without
// `layLast`, frame n's own pixels are left to the caller (LayFramePixels, row by row as it paints
// them) and true comes back when there are any to lay.
bool AdvanceCanvas(const GifAnimation& a, Compositor& c, std::int32_t n, bool layLast = true);

}  // namespace anigif
