#include "decode/build_frames.h"

#include <algorithm>
#include <vector>

#include "decode/frame_pixels.h"

namespace anigif {

namespace {

void BuildFrame(GifAnimation& a, const FrameSource& source, std::size_t index) {
    // The column's own size, whatever the record says: nothing outside it is written.
    const std::int32_t width = a.Strip.ColumnWidth(index);
    const std::size_t cells = std::size_t(width) * std::size_t(a.Strip.ColumnHeight(index));
    if (cells == 0) return;
    DecodeFramePixels(source.GifBytes,
                      static_cast<std::size_t>(source.FrameSpans[index].DescriptorPos),
                      a.Frames[index], {a.Strip.ColumnRow(index, 0), cells}, width);
}

bool Covers(const FrameRecord& r, const GifAnimation& d) {
    return r.Width == d.CanvasWidth && r.Height == d.CanvasHeight;
}

}  // namespace

std::optional<FirstPassPlan> PlanFirstPass(GifAnimation& d, const FrameSource& source,
                                           bool designMode) {
    if (d.Frames.empty() || d.Frames.size() != source.FrameSpans.size()) return std::nullopt;
    FirstPassPlan plan;
    bool allDispose2 = true;
    bool anyDispose23 = false;
    bool anyPixels = false;
    // Frames after the first that are opaque and cover the canvas each replace the whole picture.
    bool laterFramesReplaceAll = true;
    std::int64_t x = 0;
    for (std::size_t i = 0; i < d.Frames.size(); ++i) {
        FrameRecord& r = d.Frames[i];
        r.StripX = static_cast<std::int32_t>(std::min<std::int64_t>(x, INT32_MAX));
        x += r.Width;
        anyPixels = anyPixels || (r.Width > 0 && r.Height > 0);
        allDispose2 = allDispose2 && r.Disposal == 2;
        anyDispose23 = anyDispose23 || r.Disposal == 2 || r.Disposal == 3;
        if (i > 0)
            laterFramesReplaceAll = laterFramesReplaceAll && !r.HasTransparency && Covers(r, d);
    }
    if (!anyPixels) return std::nullopt;
    const FrameRecord& first = d.Frames.front();
    const bool stripOfFirstOnly = designMode || d.Frames.size() == 1;
    // The host erases the control before every paint, so drawing a frame alone is right only when
    // the frame alone is the picture; everything else is composed on the canvas.
    if (!stripOfFirstOnly && !allDispose2 && !laterFramesReplaceAll) {
        plan.CanvasNeeded = true;
        // The background shows wherever frame 1 leaves the canvas uncovered, or a frame is
        // cleared away again.
        plan.CanvasWithMask = anyDispose23 || first.HasTransparency == 1 || !Covers(first, d);
    }
    const std::size_t columns = stripOfFirstOnly ? 1 : d.Frames.size();
    for (std::size_t i = 0; i < columns; ++i)
        plan.Columns.push_back({d.Frames[i].Width, d.Frames[i].Height});
    if (x > INT32_MAX) return std::nullopt;

    std::uint64_t bytes = 0;
    auto add = [&bytes](std::optional<std::uint64_t> part) {
        if (!part || __builtin_add_overflow(bytes, *part, &bytes)) bytes = UINT64_MAX;
    };
    add(FrameStrip::BytesFor(plan.Columns));
    if (plan.CanvasNeeded) add(DibBytes(Dib24::kCellBits, d.CanvasWidth, d.CanvasHeight));
    // Counted with every canvas: frame 1 may turn out to have holes, and then needs the mask.
    if (plan.CanvasNeeded) add(DibBytes(Dib1::kCellBits, d.CanvasWidth, d.CanvasHeight));
    if (bytes > kMaxRasterBytes) return std::nullopt;
    return plan;
}

bool BuildFirstFrame(GifAnimation& a, const FrameSource& source, const FirstPassPlan& plan) {
    if (!a.Strip.Create(plan.Columns)) return false;
    a.FramesBuilt = 0;
    BuildFrame(a, source, 0);
    a.FramesBuilt = 1;
    return true;
}

void BuildRemainingFrames(GifAnimation& a, const FrameSource& source) {
    const auto count = std::min({a.Frames.size(), a.Strip.ColumnCount(), source.FrameSpans.size()});
    for (auto i = static_cast<std::size_t>(a.FramesBuilt); i < count; ++i) {
        BuildFrame(a, source, i);
        a.FramesBuilt = static_cast<std::int32_t>(i + 1);
    }
}

bool LaterFrameNeedsCanvas(const GifAnimation& a) {
    const auto built = std::min({a.Frames.size(), a.Strip.ColumnCount(),
                                 static_cast<std::size_t>(std::max(a.FramesBuilt, 0))});
    std::uint64_t bytes = 0;
    bool holes = false;
    for (std::size_t i = 0; i < a.Strip.ColumnCount(); ++i) {
        const std::uint64_t cells =
            std::uint64_t(a.Strip.ColumnWidth(i)) * std::uint64_t(a.Strip.ColumnHeight(i));
        bytes += cells;
        holes = holes || (i > 0 && i < built && a.Frames[i].PixelsDelivered < cells);
    }
    const auto canvas = DibBytes(Dib24::kCellBits, a.CanvasWidth, a.CanvasHeight);
    const auto mask = DibBytes(Dib1::kCellBits, a.CanvasWidth, a.CanvasHeight);
    return holes && canvas && mask && bytes + *canvas + *mask <= kMaxRasterBytes;
}

}  // namespace anigif
