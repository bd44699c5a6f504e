#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "raster/blit.h"
#include "raster/row_ops.h"

namespace anigif {

namespace {

// The source pixels that make up each target pixel along one axis, with their weights.
struct AxisTaps {
    std::vector<std::size_t> begin;  // per target pixel, into `index` and `weight`; one extra
    std::vector<std::int64_t> index;
    std::vector<float> weight;
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
};

// Target pixels [from, to) of a target `targetLength` long, mapped onto `sourceLength` source
// pixels that start at `sourceStart` (counted from the far end when mirrored), kept inside
// [0, limit).
AxisTaps BuildTaps(std::int64_t targetLength, std::int64_t sourceStart, std::int64_t sourceLength,
                   bool mirrored, std::int64_t from, std::int64_t to, std::int32_t limit) {
    AxisTaps taps;
    const double ratio = static_cast<double>(sourceLength) / static_cast<double>(targetLength);
    auto add = [&](std::int64_t k, double w) {
        k = std::clamp<std::int64_t>(k, 0, sourceLength - 1);
        std::int64_t at = mirrored ? sourceStart + sourceLength - 1 - k : sourceStart + k;
        at = std::clamp<std::int64_t>(at, 0, limit - 1);
        taps.index.push_back(at);
        taps.weight.push_back(static_cast<float>(w));
    };
    taps.lowest = limit;
    taps.highest = -1;
    for (std::int64_t u = from; u < to; ++u) {
        taps.begin.push_back(taps.index.size());
        if (sourceLength > targetLength) {
            const double a = u * ratio;
            const double b = (u + 1) * ratio;
            for (auto k = static_cast<std::int64_t>(std::floor(a)); k < b; ++k) {
                const double w = std::min<double>(b, k + 1) - std::max<double>(a, k);
                if (w > 0) add(k, w / (b - a));
            }
        } else if (sourceLength < targetLength) {
            const double t = (u + 0.5) * ratio - 0.5;
            const double k = std::floor(t);
            const double f = t - k;
            add(static_cast<std::int64_t>(k), 1 - f);
            if (f > 0) add(static_cast<std::int64_t>(k) + 1, f);
        } else {
            add(u, 1);
        }
        for (std::size_t i = taps.begin.back(); i < taps.index.size(); ++i) {
            taps.lowest = std::min(taps.lowest, taps.index[i]);
            taps.highest = std::max(taps.highest, taps.index[i]);
        }
    }
    taps.begin.push_back(taps.index.size());
    return taps;
}

// sum = w * rgb for the first source row of a target row, sum += w * rgb for the others; four
// channels at a time (the default optimisation level does not vectorise this by itself).
void AddWeighted(float* sum, const float* rgb, float w, std::size_t n, bool first) {
    using Floats4 = float __attribute__((vector_size(16)));
    const Floats4 weight = {w, w, w, w};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        Floats4 in, acc;
        std::memcpy(&in, rgb + i, sizeof in);
        if (first) {
            acc = weight * in;
        } else {
            std::memcpy(&acc, sum + i, sizeof acc);
            acc += weight * in;
        }
        std::memcpy(sum + i, &acc, sizeof acc);
    }
    for (; i < n; ++i) sum[i] = (first ? 0.0f : sum[i]) + w * rgb[i];
}

// A channel's sum rounded into 0..255; written so that it compiles to min and max, not branches.
std::uint32_t Channel(float v) {
    v += 0.5f;
    v = v > 255.0f ? 255.0f : v;
    v = v < 0.0f ? 0.0f : v;
    return static_cast<std::uint32_t>(v);
}

// One source row scaled horizontally: red, green, blue per target pixel.
struct ScaledRow {
    std::int64_t sourceRow = -1;
    std::vector<float> rgb;
};

}  // namespace

void StretchBltHalftone(const PixelTarget& dst, const PixelRect& dest, const PixelSource& src,
                        const PixelRect& source, RasterOp op) {
    if (dst.top == nullptr || src.top == nullptr) return;
    const PixelRect d = ClampRect(dest);
    const PixelRect s = ClampRect(source);
    if (d.Width <= 0 || d.Height <= 0 || s.Width == 0 || s.Height == 0) return;
    const std::int64_t x0 = std::max<std::int64_t>(d.X, 0);
    const std::int64_t x1 = std::min<std::int64_t>(d.X + d.Width, dst.width);
    const std::int64_t y0 = std::max<std::int64_t>(d.Y, 0);
    const std::int64_t y1 = std::min<std::int64_t>(d.Y + d.Height, dst.height);
    if (x0 >= x1 || y0 >= y1) return;

    const bool mirrorX = s.Width < 0;
    const bool mirrorY = s.Height < 0;
    const std::int64_t sw = mirrorX ? -s.Width : s.Width;
    const std::int64_t sh = mirrorY ? -s.Height : s.Height;
    const std::int64_t sx = mirrorX ? s.X + s.Width + 1 : s.X;
    const std::int64_t sy = mirrorY ? s.Y + s.Height + 1 : s.Y;
    const AxisTaps across = BuildTaps(d.Width, sx, sw, mirrorX, x0 - d.X, x1 - d.X, src.width);
    const AxisTaps down = BuildTaps(d.Height, sy, sh, mirrorY, y0 - d.Y, y1 - d.Y, src.height);
    if (across.highest < across.lowest || down.highest < down.lowest) return;

    const auto n = static_cast<std::size_t>(x1 - x0);
    const auto fetched = static_cast<std::int32_t>(across.highest - across.lowest + 1);
    std::vector<std::uint32_t> sourceRow(static_cast<std::size_t>(fetched));
    std::vector<ScaledRow> cache;
    auto scaled = [&](std::int64_t row) -> const std::vector<float>& {
        for (const ScaledRow& c : cache)
            if (c.sourceRow == row) return c.rgb;
        FetchRow(src, row, across.lowest, fetched, sourceRow.data());
        ScaledRow& c = cache.emplace_back();
        c.sourceRow = row;
        c.rgb.assign(3 * n, 0.0f);
        for (std::size_t u = 0; u < n; ++u) {
            float r = 0, g = 0, b = 0;
            for (std::size_t t = across.begin[u]; t < across.begin[u + 1]; ++t) {
                const std::uint32_t v = sourceRow[std::size_t(across.index[t] - across.lowest)];
                const float w = across.weight[t];
                r += w * float(v >> 16 & 0xFF);
                g += w * float(v >> 8 & 0xFF);
                b += w * float(v & 0xFF);
            }
            c.rgb[3 * u] = r, c.rgb[3 * u + 1] = g, c.rgb[3 * u + 2] = b;
        }
        return c.rgb;
    };

    std::vector<float> sum(3 * n);
    std::vector<std::uint32_t> out(n);
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::size_t v = static_cast<std::size_t>(y - y0);
        const std::size_t first = down.begin[v];
        const std::size_t last = down.begin[v + 1];
        // Rows are visited in order, so a row no longer wanted is never wanted again.
        std::erase_if(cache, [&](const ScaledRow& c) {
            return std::find(down.index.begin() + std::ptrdiff_t(first),
                             down.index.begin() + std::ptrdiff_t(last),
                             c.sourceRow) == down.index.begin() + std::ptrdiff_t(last);
        });
        for (std::size_t t = first; t < last; ++t)
            AddWeighted(sum.data(), scaled(down.index[t]).data(), down.weight[t], sum.size(),
                        t == first);
        for (std::size_t u = 0; u < n; ++u) {
            out[u] =
                Channel(sum[3 * u]) << 16 | Channel(sum[3 * u + 1]) << 8 | Channel(sum[3 * u + 2]);
        }
        StoreRow(dst, y, x0, static_cast<std::int32_t>(n), out.data(), op);
    }
}

}  // namespace anigif
