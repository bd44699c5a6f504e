#pragma once

#include <QRect>
#include <QtMath>

// The window design is in twips, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) { return qRound(twips / double(kTwipsPerPixel)); }

inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}
