#pragma once

#include <cstdint>
#include <vector>

#include "decode/frame_record.h"

namespace anigif {

// What the Action property sets (0 stop, 1 play, 2 pause, 3 next frame, 4 restart) and reports
// (0 stopped, 1 playing, 2 paused).
enum class ActionCommand : std::int32_t { Stop = 0, Play = 1, Pause = 2, Next = 3, Restart = 4 };
enum class ActionState : std::int32_t { Stopped = 0, Playing = 1, Paused = 2 };

// Where playback stands.
struct GifPlayer {
    std::int32_t CurrentFrame = 0;  // 0 while nothing is loaded
    // Playing also while frames wait for the build timer.
    ActionState Action = ActionState::Stopped;
    std::int32_t LoopsLeft = 0;  // 32 bits: a GIF may ask for up to 65535 passes
    // Frames 2..n wait for the build timer.
    bool BuildPending = false;
    // When the frame shown now was due, on the host's clock: the next one is due its interval
    // later, however long showing this one took.
    std::int64_t DueAtMs = 0;
};

// The copy of every colour table that CacheColorTables keeps, with the LastColorTable of the time.
struct ColorTableCache {
    std::vector<ColorTable> Tables;
    std::int32_t LastColorTable = 0;
    bool Valid = false;
};

}  // namespace anigif
