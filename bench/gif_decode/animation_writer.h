#pragma once

#include <cstdint>
#include <vector>

// A large, deterministic animation written with giflib's encoder: every frame has its own
// 256-entry local table, a transparent index and a delay, like a screen recording or a sticker.
std::vector<std::uint8_t> WriteBenchAnimation(int frames, int width, int height);
