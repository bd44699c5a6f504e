#pragma once

#include <cstdint>
#include <optional>

#include "decode/ani_gif_data.h"

namespace anigif {

// What the first pass of frame building needs to know before it allocates anything.
struct FirstPassPlan {
    std::int32_t StripWidth = 0;
    std::int32_t StripHeight = 0;
    bool AnyTransparency = false;
    bool CanvasNeeded = false;    // the animation is composed on a canvas
    bool CanvasWithMask = false;  // ...and its background shows through somewhere
    std::int32_t LongestSpan = 0;
};

// Looks at the parsed frames. In design mode, or for a single frame, the strip holds frame 1 only
// and no canvas is used. Nothing when the strip would be empty or strip, canvas and mask together
// would pass kMaxRasterBytes.
std::optional<FirstPassPlan> PlanFirstPass(const AniGifData& d, bool designMode);

// First pass, decode side: creates the strip (identity colour table), the mask palette when
// needed and the one-frame GIF buffer, then builds frame 1. False when the strip cannot be made.
bool BuildFirstFrame(AniGifData& d, const FirstPassPlan& plan);

// Remaining pass: frames 2 to the last, with the strip's colour table set back to identity first,
// since drawing loads real colours into it.
void BuildRemainingFrames(AniGifData& d);

// Releases what only building needed.
void ReleaseBuildBuffers(AniGifData& d);

}  // namespace anigif
