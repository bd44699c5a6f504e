#pragma once

#include <cstdint>
#include <vector>

// Transparent: index 0 of every frame is see-through, so later frames lay over earlier ones and
// frame 1 leaves holes (the control composes on a canvas with a mask). Opaque: every frame covers
// the whole picture by itself (the control draws frames straight from its strip).
enum class AnimationKind { Transparent, Opaque };

// A large, deterministic animation written with giflib's encoder: every frame covers the screen,
// has its own 256-entry local table and a delay, like a screen recording or a sticker.
std::vector<std::uint8_t> WriteBenchAnimation(int frames, int width, int height,
                                              AnimationKind kind = AnimationKind::Transparent);
