#pragma once

#include <QRect>

#include <cmath>

namespace notice {

// Window positions are reasoned about in twips, 15 to a device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips, int twipsPerPixel = kTwipsPerPixel) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

// A rectangle of a window design, given in twips, as device-independent pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace notice
