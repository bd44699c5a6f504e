#pragma once

#include <QRect>

#include "notice/twips.h"

// A rectangle of the window design, given in twips, as device-independent pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
    using notice::TwipsToPixels;
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}
