#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "decode/gif_animation.h"

namespace anigif {

// What frame building reads besides the animation: the stream and where each frame lies in it.
// Lives while frames are being built.
struct FrameSource {
    std::span<const std::uint8_t> GifBytes;
    std::vector<FrameSpan> FrameSpans;
};

// What the first pass of frame building needs to know before it allocates anything.
struct FirstPassPlan {
    std::vector<FrameStrip::ColumnSize> Columns;  // the strip's columns, frame 1 first
    bool CanvasNeeded = false;                    // the animation is composed on a canvas
    bool CanvasWithMask = false;                  // ...and its background shows through somewhere
};

// Looks at the parsed frames and sets every frame's StripX. In design mode, or for a single frame,
// the strip holds frame 1 only and no canvas is used. Nothing when no frame has a pixel, or strip,
// canvas and mask together would pass kMaxRasterBytes.
std::optional<FirstPassPlan> PlanFirstPass(GifAnimation& a, const FrameSource& source,
                                           bool designMode);

// First pass, decode side: creates the strip, then builds frame 1. False when the strip cannot be
// made.
bool BuildFirstFrame(GifAnimation& a, const FrameSource& source, const FirstPassPlan& plan);

// Remaining pass: every frame not yet built, in order.
void BuildRemainingFrames(GifAnimation& a, const FrameSource& source);

// True when a frame after the first has pixels its data never delivered and a canvas with its
// mask fits beside the strip: drawn without a canvas, those pixels would not show the frames
// before.
bool LaterFrameNeedsCanvas(const GifAnimation& a);

}  // namespace anigif
