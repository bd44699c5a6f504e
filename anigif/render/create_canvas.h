#pragma once

#include <cstdint>

#include "render/compositor.h"

namespace anigif {

// Creates the 24-bit composition canvas of width x height and, when asked, its 1-bit mask. False
// (and nothing created) when either cannot be made.
bool CreateCanvas(Compositor& c, std::int32_t width, std::int32_t height, bool withMask);

}  // namespace anigif
