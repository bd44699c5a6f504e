#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/icons/animation.h"

namespace icons {

// The animation as a GIF89a file: one global table of its colours with entry 0 transparent, an
// endless loop, and per frame its delay, transparency and "restore to background" so that a
// frame's clear pixels never show the frame before. Nothing when it has more than 255 colours or a
// frame of another size.
std::optional<std::vector<std::uint8_t>> EncodeGif(const Animation& animation);

}  // namespace icons
