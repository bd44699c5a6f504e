#include "render/compute_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace anigif {

std::int32_t NearestPixel(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);  // default rounding: to nearest, ties to even
    if (r <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (r >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

std::int64_t NearestPosition(double value) {
    constexpr double kLimit = 1099511627776.0;  // 2^40
    if (std::isnan(value)) return 0;
    return static_cast<std::int64_t>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

void ComputeScale(const GifAnimation& a, GifView& d, StretchMode mode, std::int32_t& width,
                  std::int32_t& height) {
    if (a.CanvasWidth <= 0 || a.CanvasHeight <= 0) {
        d.ScaleFactorX = d.ScaleFactorY = 1.0f;
        return;
    }
    const double w = a.CanvasWidth;
    const double h = a.CanvasHeight;
    auto ratios = [&] {
        d.ScaleFactorX = static_cast<float>(width / w);
        d.ScaleFactorY = static_cast<float>(height / h);
    };
    auto proportional = [&] {
        if (d.ScaleFactorX <= d.ScaleFactorY) {
            d.ScaleFactorY = d.ScaleFactorX;
        } else {
            d.ScaleFactorX = d.ScaleFactorY;
        }
    };
    switch (mode) {
        case StretchMode::None:
            d.ScaleFactorX = d.ScaleFactorY = 1.0f;
            width = std::min(width, a.CanvasWidth);
            height = std::min(height, a.CanvasHeight);
            return;
        case StretchMode::Fit:
            ratios();
            proportional();
            break;
        case StretchMode::Fill:
            ratios();
            return;
        case StretchMode::Shrink:
            ratios();
            if (d.ScaleFactorX > 1.0f && d.ScaleFactorY > 1.0f) {
                d.ScaleFactorX = d.ScaleFactorY = 1.0f;
            } else {
                proportional();
            }
            break;
        case StretchMode::Exact:
            d.ScaleFactorX = d.ScaleFactorY = 1.0f;
            width = a.CanvasWidth;
            height = a.CanvasHeight;
            return;
    }
    width = NearestPixel(static_cast<double>(d.ScaleFactorX) * w);
    height = NearestPixel(static_cast<double>(d.ScaleFactorY) * h);
}

}  // namespace anigif
