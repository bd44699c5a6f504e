#include "raster/halftone_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "raster/picture_rows.h"
#include "raster/wide_loops.h"

namespace anigif {

namespace {

constexpr std::uint32_t kOne = 256;  // a weight of 1: weight times channel fits 16 bits

using Lanes4 = std::uint16_t __attribute__((vector_size(8)));  // one pixel
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

// One source row as colours, weighed into the per-channel sums (or starting them).
ANIGIF_WIDE_LOOPS void AddWeightedRow(const Picture& p, std::int64_t y, std::int64_t x,
                                      std::size_t n, std::uint32_t* __restrict fetched,
                                      std::uint16_t* __restrict sums, std::uint16_t w, bool first) {
    FetchArgbRow(p, y, x, static_cast<std::int32_t>(n), fetched);
    const auto* channels = reinterpret_cast<const std::uint8_t*>(fetched);
    if (first) {
        for (std::size_t i = 0; i < 4 * n; ++i)
            sums[i] = static_cast<std::uint16_t>(w * channels[i]);
    } else {
        for (std::size_t i = 0; i < 4 * n; ++i)
            sums[i] = static_cast<std::uint16_t>(sums[i] + w * channels[i]);
    }
}

// Back to 8 bits a channel, rounded: the weights add up to 256.
ANIGIF_WIDE_LOOPS void RoundSums(std::uint16_t* __restrict sums, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        sums[i] = static_cast<std::uint16_t>((sums[i] >> 8) + ((sums[i] >> 7) & 1));
}

// Target pixels [0, n) from the rounded sums, `Taps` a pixel (or `taps` when Taps is 0).
template <int Taps>
void Across(std::uint32_t* __restrict out, std::size_t n, const std::uint16_t* __restrict sums,
            const std::uint32_t* __restrict at, const std::uint16_t* __restrict weight, int taps) {
    if constexpr (Taps > 0) taps = Taps;
    for (std::size_t u = 0; u < n; ++u, at += taps, weight += taps) {
        Lanes4 acc = {128, 128, 128, 128};
        for (int t = 0; t < taps; ++t) {
            Lanes4 in;
            std::memcpy(&in, sums + at[t], sizeof in);
            acc += weight[t] * in;
        }
        const Bytes4 bytes = __builtin_convertvector(acc >> 8, Bytes4);
        std::memcpy(&out[u], &bytes, sizeof bytes);
    }
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
    const Taps across = BuildTaps(dest.Width, sx, sw, mirrorX, x0 - dest.X, x1 - dest.X, src.width);
    down_ = BuildTaps(dest.Height, sy, sh, mirrorY, y0 - dest.Y, y1 - dest.Y, src.height);
    if (across.highest < across.lowest || down_.highest < down_.lowest) return;
    const std::size_t targets = across.begin.size() - 1;
    for (std::size_t u = 0; u < targets; ++u)
        acrossTaps_ = std::max<std::int32_t>(
            acrossTaps_, static_cast<std::int32_t>(across.begin[u + 1] - across.begin[u]));
    acrossAt_.assign(targets * static_cast<std::size_t>(acrossTaps_), 0);
    acrossWeight_.assign(acrossAt_.size(), 0);
    for (std::size_t u = 0; u < targets; ++u) {
        const std::size_t to = u * static_cast<std::size_t>(acrossTaps_);
        for (std::uint32_t t = across.begin[u]; t < across.begin[u + 1]; ++t) {
            const std::size_t k = to + (t - across.begin[u]);
            acrossAt_[k] = static_cast<std::uint32_t>(4 * (across.index[t] - across.lowest));
            acrossWeight_[k] = static_cast<std::uint16_t>(across.weight[t]);
        }
    }
    acrossLowest_ = across.lowest;
    fetchedCount_ = static_cast<std::size_t>(across.highest - across.lowest + 1);
    fetched_.resize(fetchedCount_);
    sums_.resize(4 * fetchedCount_);
    out_.resize(static_cast<std::size_t>(x1 - x0));
    empty_ = false;
}

const std::uint32_t* HalftoneRows::Row(std::int64_t y) {
    const auto v = static_cast<std::size_t>(y - y0_);
    // Down first: the source rows of this target row blended, four channels a pixel; then
    // across.
    for (std::uint32_t t = down_.begin[v]; t < down_.begin[v + 1]; ++t) {
        AddWeightedRow(picture_, down_.index[t], acrossLowest_, fetchedCount_, fetched_.data(),
                       sums_.data(), static_cast<std::uint16_t>(down_.weight[t]),
                       t == down_.begin[v]);
    }
    RoundSums(sums_.data(), sums_.size());
    const auto across = [&](auto taps) {
        Across<decltype(taps)::value>(out_.data(), out_.size(), sums_.data(), acrossAt_.data(),
                                      acrossWeight_.data(), acrossTaps_);
    };
    switch (acrossTaps_) {
        case 1:
            across(std::integral_constant<int, 1>{});
            break;
        case 2:
            across(std::integral_constant<int, 2>{});
            break;
        case 3:
            across(std::integral_constant<int, 3>{});
            break;
        default:
            across(std::integral_constant<int, 0>{});
            break;
    }
    return out_.data();
}

}  // namespace anigif
