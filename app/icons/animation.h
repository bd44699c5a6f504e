#pragma once

#include <cstdint>
#include <vector>

namespace icons {

// One picture of an animation: 0xAARRGGBB pixels, row by row, alpha either 0 (the window shows
// through) or 255; and how long it stays, in hundredths of a second as a GIF counts time.
struct Frame {
    std::vector<std::uint32_t> argb;
    int delayCs = 10;
};

// An endlessly looping animation, every frame covering the whole picture.
struct Animation {
    int width = 0;
    int height = 0;
    std::vector<Frame> frames;
};

}  // namespace icons
