#include "raster/halftone_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "raster/picture_rows.h"

namespace anigif {

namespace {

constexpr std::uint32_t kOne = 256;  // a weight of 1: weight times channel fits 16 bits

using Lanes8 = std::uint16_t __attribute__((vector_size(16)));  // two pixels, a channel a lane
using Lanes4 = std::uint16_t __attribute__((vector_size(8)));   // one pixel
using Bytes8 = std::uint8_t __attribute__((vector_size(8)));
using Bytes4 = std::uint8_t __attribute__((vector_size(4)));

// Target pixels [from, to) of a target `targetLength` long, mapped onto `sourceLength` source
// pixels that start at `sourceStart` (counted from the far end when mirrored), kept inside
// [0, limit).
HalftoneRows::Taps BuildTaps(std::int64_t targetLength, std::int64_t sourceStart,
                             std::int64_t sourceLength, bool mirrored, std::int64_t from,
                             std::int64_t to, std::int32_t limit) {
    HalftoneRows::Taps taps;
    const double ratio = static_cast<double>(sourceLength) / static_cast<double>(targetLength);
    std::vector<double> w;
    auto add = [&](std::int64_t k, double weight) {
        k = std::clamp<std::int64_t>(k, 0, sourceLength - 1);
        std::int64_t at = mirrored ? sourceStart + sourceLength - 1 - k : sourceStart + k;
        at = std::clamp<std::int64_t>(at, 0, limit - 1);
        taps.index.push_back(static_cast<std::int32_t>(at));
        w.push_back(weight);
    };
    taps.lowest = limit;
    for (std::int64_t u = from; u < to; ++u) {
        const auto first = taps.index.size();
        taps.begin.push_back(static_cast<std::uint32_t>(first));
        w.clear();
        if (sourceLength > targetLength) {
            const double a = u * ratio;
            const double b = (u + 1) * ratio;
            for (auto k = static_cast<std::int64_t>(std::floor(a)); k < b; ++k) {
                const double part = std::min<double>(b, k + 1) - std::max<double>(a, k);
                if (part > 0) add(k, part / (b - a));
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
        // Rounded to 4096ths, the rest given to the heaviest tap, so that the sum is exact and
        // a flat area stays exactly its colour.
        std::uint32_t sum = 0;
        std::size_t heaviest = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const auto q = static_cast<std::uint32_t>(std::lround(w[i] * kOne));
            taps.weight.push_back(q);
            sum += q;
            if (w[i] > w[heaviest]) heaviest = i;
        }
        taps.weight[first + heaviest] += kOne - sum;
        for (std::size_t i = first; i < taps.index.size(); ++i) {
            taps.lowest = std::min<std::int64_t>(taps.lowest, taps.index[i]);
            taps.highest = std::max<std::int64_t>(taps.highest, taps.index[i]);
        }
    }
    taps.begin.push_back(static_cast<std::uint32_t>(taps.index.size()));
    return taps;
}

}  // namespace

HalftoneRows::HalftoneRows(const PixelRect& dest, const Picture& picture, const PixelRect& source,
                           std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1)
    : picture_(picture), y0_(y0) {
    const PixelSource& src = picture.Pixels;
    if (src.top == nullptr || source.Width == 0 || source.Height == 0 || x0 >= x1 || y0 >= y1)
        return;
    const bool mirrorX = source.Width < 0;
    const bool mirrorY = source.Height < 0;
    const std::int64_t sw = mirrorX ? -source.Width : source.Width;
    const std::int64_t sh = mirrorY ? -source.Height : source.Height;
    const std::int64_t sx = mirrorX ? source.X + source.Width + 1 : source.X;
    const std::int64_t sy = mirrorY ? source.Y + source.Height + 1 : source.Y;
    across_ = BuildTaps(dest.Width, sx, sw, mirrorX, x0 - dest.X, x1 - dest.X, src.width);
    down_ = BuildTaps(dest.Height, sy, sh, mirrorY, y0 - dest.Y, y1 - dest.Y, src.height);
    if (across_.highest < across_.lowest || down_.highest < down_.lowest) return;
    for (std::int32_t& i : across_.index) i -= static_cast<std::int32_t>(across_.lowest);
    const auto fetched = static_cast<std::size_t>(across_.highest - across_.lowest + 1);
    fetched_.resize(fetched + fetched % 2);  // even: pixels are blended in pairs
    sums_.resize(4 * fetched_.size());
    out_.resize(static_cast<std::size_t>(x1 - x0));
    empty_ = false;
}

const std::uint32_t* HalftoneRows::Row(std::int64_t y) {
    const auto v = static_cast<std::size_t>(y - y0_);
    const auto n = static_cast<std::size_t>(across_.highest - across_.lowest + 1);
    // Down first: the source rows of this target row blended, four channels a pixel, two pixels
    // at a time, rounded back to 8 bits a channel.
    std::uint16_t* sums = sums_.data();
    for (std::uint32_t t = down_.begin[v]; t < down_.begin[v + 1]; ++t) {
        FetchArgbRow(picture_, down_.index[t], across_.lowest, static_cast<std::int32_t>(n),
                     fetched_.data());
        const auto w = static_cast<std::uint16_t>(down_.weight[t]);
        const bool first = t == down_.begin[v];
        for (std::size_t i = 0; i < n; i += 2) {
            Bytes8 two;
            std::memcpy(&two, &fetched_[i], sizeof two);  // fetched_ has room for an even count
            Lanes8 add = w * __builtin_convertvector(two, Lanes8);
            if (!first) {
                Lanes8 acc;
                std::memcpy(&acc, sums + 4 * i, sizeof acc);
                add += acc;
            }
            std::memcpy(sums + 4 * i, &add, sizeof add);
        }
    }
    for (std::size_t i = 0; i < sums_.size(); i += 8) {
        Lanes8 acc;
        std::memcpy(&acc, sums + i, sizeof acc);
        acc = (acc >> 8) + ((acc >> 7) & 1);  // rounded: the sum of weights is 256
        std::memcpy(sums + i, &acc, sizeof acc);
    }
    // Then across.
    for (std::size_t u = 0; u < out_.size(); ++u) {
        Lanes4 acc = {128, 128, 128, 128};
        for (std::uint32_t t = across_.begin[u]; t < across_.begin[u + 1]; ++t) {
            Lanes4 in;
            std::memcpy(&in, sums + 4 * std::size_t(across_.index[t]), sizeof in);
            acc += static_cast<std::uint16_t>(across_.weight[t]) * in;
        }
        const Bytes4 bytes = __builtin_convertvector(acc >> 8, Bytes4);
        std::memcpy(&out_[u], &bytes, sizeof bytes);
    }
    return out_.data();
}

}  // namespace anigif
