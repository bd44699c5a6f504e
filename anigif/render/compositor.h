#pragma once

#include <cstdint>
#include <vector>

#include "raster/dib.h"

namespace anigif {

// Where an animation whose frames do not each make the whole picture is composed, and the colours
// prepared for the last frame copied.
struct Compositor {
    // Composition canvas and its mask; empty when the animation is drawn straight from the strip.
    Dib24 Canvas;
    Dib1 Mask;
    // The frame whose picture the canvas holds (0: none yet), drawn but not yet disposed of, and
    // what lay under it when its disposal restores the previous picture.
    std::int32_t ComposedFrame = 0;
    std::vector<std::uint32_t> SavedCanvas;
    std::vector<std::uint8_t> SavedMask;
    // The colour table Colors was prepared from (-1: none, prepare again) and the transparent
    // index punched into it (-1: none).
    DibColorTable Colors{};
    std::int32_t LastColorTable = -1;
    std::int32_t LastTransIndex = -1;
};

}  // namespace anigif
