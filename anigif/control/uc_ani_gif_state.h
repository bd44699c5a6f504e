#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "control/gif_player.h"
#include "control/property_table.h"
#include "control/uc_ani_gif.h"
#include "decode/build_frames.h"
#include "decode/gif_animation.h"
#include "render/compositor.h"
#include "render/compute_scale.h"
#include "render/gif_view.h"

namespace anigif {

// What one control owns besides its host: the loaded animation, how it is shown and where
// playback stands. Only the control's own sources see it.
struct ucAniGIF::State {
    // The stream: kept for saving while in design mode, let go once built in run mode.
    std::vector<std::uint8_t> gifBytes;
    std::optional<FrameSource> building;  // while frames wait to be built
    GifAnimation animation;
    Compositor compositor;
    GifView view;
    GifPlayer player;
    ColorTableCache cache;
    std::int32_t delayAnimation = SpecOf(Property::DelayAnimation).Default;
    std::int32_t minFrameDelay = SpecOf(Property::MinFrameDelay).Default;
    std::int32_t steppedDelay = SpecOf(Property::SteppedDelay).Default;
    StretchMode stretch = static_cast<StretchMode>(SpecOf(Property::Stretch).Default);
    bool enabled = SpecOf(Property::Enabled).Default != 0;
    std::vector<std::uint8_t> mouseIcon;
    std::int16_t mousePointer = 0;
    bool resizing = false;
    bool restoring = false;  // settings being read back: nothing is marked changed
    // Counts loads, so that a step can tell whether an event handler loaded something else.
    std::uint64_t loadGeneration = 0;
};

}  // namespace anigif
