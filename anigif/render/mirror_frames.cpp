#include "render/mirror_frames.h"

#include <algorithm>

namespace anigif {

namespace {

void FlipFrame(GifAnimation& d, std::size_t i, std::int32_t flip) {
    FrameRecord& r = d.Frames[i];
    const bool horizontal = flip & 1;
    const bool vertical = flip & 2;
    if (i < d.Strip.ColumnCount()) {
        const std::int32_t w = d.Strip.ColumnWidth(i);
        const std::int32_t h = d.Strip.ColumnHeight(i);
        if (horizontal) {
            for (std::int32_t y = 0; y < h; ++y)
                std::reverse(d.Strip.ColumnRow(i, y), d.Strip.ColumnRow(i, y) + w);
        }
        if (vertical) {
            for (std::int32_t y = 0; y < h / 2; ++y)
                std::swap_ranges(d.Strip.ColumnRow(i, y), d.Strip.ColumnRow(i, y) + w,
                                 d.Strip.ColumnRow(i, h - 1 - y));
        }
    }
    if (horizontal) r.Left = d.CanvasWidth - (r.Left + r.Width);
    if (vertical) r.Top = d.CanvasHeight - (r.Top + r.Height);
}

}  // namespace

void MirrorFrames(GifAnimation& a, Compositor& c, std::int32_t from, std::int32_t to,
                  bool firstFrameOnly, bool includeCanvas) {
    const std::int32_t flip = (from ^ to) & 3;
    if (flip == 0) return;
    std::size_t last = std::min(a.Frames.size(), static_cast<std::size_t>(a.FramesBuilt));
    if (firstFrameOnly) last = std::min<std::size_t>(last, 1);
    for (std::size_t i = 0; i < last; ++i) FlipFrame(a, i, flip);
    // Composing again from frame 1 gives exactly the flipped picture, and with it a flipped
    // copy of what a "restore to previous" frame saved.
    if (includeCanvas) c.ComposedFrame = 0;
}

void MirrorBuiltFrame(GifAnimation& a, std::size_t index, std::int32_t mode) {
    if (index < a.Frames.size() && (mode & 3) != 0) FlipFrame(a, index, mode & 3);
}

}  // namespace anigif
