#pragma once

// Row-level building blocks shared by the copies: every source kind is read as colours, every
// target kind written from colours.
#include <algorithm>
#include <cstdint>

#include "raster/blit.h"

namespace anigif {

// Far beyond any bitmap, far below where sums of two coordinates could overflow.
inline constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 40;

inline std::int64_t ClampCoordinate(std::int64_t v) {
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

inline PixelRect ClampRect(const PixelRect& r) {
    return {ClampCoordinate(r.X), ClampCoordinate(r.Y), ClampCoordinate(r.Width),
            ClampCoordinate(r.Height)};
}

// Reads n pixels of row y from x on as colours; the caller has clipped to the source.
inline void FetchRow(const PixelSource& s, std::int64_t y, std::int64_t x, std::int32_t n,
                     std::uint32_t* out) {
    const std::uint8_t* row = s.Row(y);
    switch (s.kind) {
        case PixelSource::Kind::Indexed: {
            const std::uint8_t* in = row + x;
            for (std::int32_t i = 0; i < n; ++i) out[i] = s.table[in[i]] & 0xFFFFFFu;
            break;
        }
        case PixelSource::Kind::Rgb: {
            const auto* in = reinterpret_cast<const std::uint32_t*>(row) + x;
            for (std::int32_t i = 0; i < n; ++i) out[i] = in[i] & 0xFFFFFFu;
            break;
        }
        case PixelSource::Kind::Mono: {
            const std::uint8_t* in = row + x;
            for (std::int32_t i = 0; i < n; ++i) out[i] = in[i] ? 0xFFFFFFu : 0u;
            break;
        }
    }
}

template <class Cell, class Combine>
inline void CombineRow(Cell* d, std::int32_t n, Combine combine) {
    for (std::int32_t i = 0; i < n; ++i) d[i] = combine(d[i], i);
}

// Writes n colours into row y from x on, combined by op; the caller has clipped to the target.
inline void StoreRow(const PixelTarget& t, std::int64_t y, std::int64_t x, std::int32_t n,
                     const std::uint32_t* in, RasterOp op) {
    if (t.kind == PixelTarget::Kind::Mono) {
        std::uint8_t* d = t.Row(y) + x;
        auto bit = [in](std::int32_t i) -> std::uint8_t { return in[i] == 0xFFFFFFu ? 1 : 0; };
        switch (op) {
            case RasterOp::SrcCopy:
                CombineRow(d, n, [&](std::uint8_t, std::int32_t i) { return bit(i); });
                break;
            case RasterOp::SrcAnd:
                CombineRow(d, n, [&](std::uint8_t v, std::int32_t i) {
                    return static_cast<std::uint8_t>(v & bit(i));
                });
                break;
            case RasterOp::SrcPaint:
                CombineRow(d, n, [&](std::uint8_t v, std::int32_t i) {
                    return static_cast<std::uint8_t>(v | bit(i));
                });
                break;
        }
        return;
    }
    // The surface keeps its top byte set (opaque); the canvas keeps it clear.
    const std::uint32_t top = t.kind == PixelTarget::Kind::Surface ? 0xFF000000u : 0u;
    auto* d = reinterpret_cast<std::uint32_t*>(t.Row(y)) + x;
    switch (op) {
        case RasterOp::SrcCopy:
            CombineRow(d, n, [&](std::uint32_t, std::int32_t i) { return in[i] | top; });
            break;
        case RasterOp::SrcAnd:
            CombineRow(d, n, [&](std::uint32_t v, std::int32_t i) { return v & (in[i] | top); });
            break;
        case RasterOp::SrcPaint:
            CombineRow(d, n, [&](std::uint32_t v, std::int32_t i) { return v | in[i]; });
            break;
    }
}

}  // namespace anigif
