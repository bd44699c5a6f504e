#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "decode/ani_gif_data.h"

namespace anigif {

// What the first pass of frame building needs to know before it allocates anything.
struct FirstPassPlan {
    std::vector<FrameStrip::ColumnSize> Columns;  // the strip's columns, frame 1 first
    bool CanvasNeeded = false;                    // the animation is composed on a canvas
    bool CanvasWithMask = false;                  // ...and its background shows through somewhere
    std::int32_t LongestSpan = 0;
};

// Looks at the parsed frames and sets every frame's StripX. In design mode, or for a single frame,
// the strip holds frame 1 only and no canvas is used. Nothing when no frame has a pixel, or strip,
// canvas and mask together would pass kMaxRasterBytes.
std::optional<FirstPassPlan> PlanFirstPass(AniGifData& d, bool designMode);

// First pass, decode side: creates the strip, the mask palette when needed and the one-frame GIF
// buffer, then builds frame 1. False when the strip cannot be made.
bool BuildFirstFrame(AniGifData& d, const FirstPassPlan& plan);

// Remaining pass: every frame not yet built, in order.
void BuildRemainingFrames(AniGifData& d);

// Releases what only building needed.
void ReleaseBuildBuffers(AniGifData& d);

}  // namespace anigif
