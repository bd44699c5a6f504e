#pragma once

#include <cmath>

namespace notice {

// Window positions are reasoned about in twips, 15 to a device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips, int twipsPerPixel = kTwipsPerPixel) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

}  // namespace notice
