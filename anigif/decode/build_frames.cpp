#include "decode/build_frames.h"

#include <algorithm>
#include <vector>

#include "decode/frame_gif.h"
#include "decode/load_frame_picture.h"

namespace anigif {

namespace {

void BuildFrame(GifAnimation& a, FrameSource& d, std::size_t index) {
    // A frame the decoder rejects keeps what it decoded (index 0 for the rest); building goes on.
    LoadFramePicture(AssembleFrameGif(a, d, index), a.Strip, index);
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
        plan.LongestSpan = std::max(plan.LongestSpan, source.FrameSpans[i].DataLength);
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
    if (plan.CanvasWithMask) add(DibBytes(Dib1::kCellBits, d.CanvasWidth, d.CanvasHeight));
    if (bytes > kMaxRasterBytes) return std::nullopt;
    return plan;
}

bool BuildFirstFrame(GifAnimation& a, FrameSource& source, const FirstPassPlan& plan) {
    if (!a.Strip.Create(plan.Columns)) return false;
    a.FramesBuilt = 0;
    PrepareFrameGifBuffer(source, plan.LongestSpan);
    BuildFrame(a, source, 0);
    a.FramesBuilt = 1;
    return true;
}

void BuildRemainingFrames(GifAnimation& a, FrameSource& source) {
    if (source.FrameGifBuffer.empty()) return;
    const auto count = std::min(a.Frames.size(), a.Strip.ColumnCount());
    for (auto i = static_cast<std::size_t>(a.FramesBuilt); i < count; ++i) {
        BuildFrame(a, source, i);
        a.FramesBuilt = static_cast<std::int32_t>(i + 1);
    }
}

}  // namespace anigif
