#include "decode/build_frames.h"

#include <algorithm>

#include "decode/frame_gif.h"
#include "decode/load_frame_picture.h"
#include "render/dib.h"

namespace anigif {

namespace {

void BuildFrame(AniGifData& d, std::size_t index) {
    const std::span<const std::uint8_t> gif = AssembleFrameGif(d, index);
    FrameRecord& rec = d.Frames[index];
    rec.StripX = index == 0 ? 0 : d.Frames[index - 1].StripX + d.Frames[index - 1].Width;
    // A frame the decoder rejects keeps an empty column; building goes on.
    LoadFramePicture(gif, d.Strip, rec.StripX);
}

}  // namespace

std::optional<FirstPassPlan> PlanFirstPass(const AniGifData& d, bool designMode) {
    if (d.Frames.empty() || d.Frames.size() != d.FrameSpans.size()) return std::nullopt;
    FirstPassPlan plan;
    std::int64_t totalWidth = 0;
    std::int32_t maxHeight = 0;
    bool allDispose2 = true;
    bool anyDispose23 = false;
    for (std::size_t i = 0; i < d.Frames.size(); ++i) {
        const FrameRecord& r = d.Frames[i];
        totalWidth += r.Width;
        maxHeight = std::max(maxHeight, r.Height);
        plan.AnyTransparency = plan.AnyTransparency || r.HasTransparency == 1;
        plan.LongestSpan = std::max(plan.LongestSpan, d.FrameSpans[i].DataLength);
        allDispose2 = allDispose2 && r.Disposal == 2;
        anyDispose23 = anyDispose23 || r.Disposal == 2 || r.Disposal == 3;
    }
    const FrameRecord& first = d.Frames.front();
    if (designMode || d.Frames.size() == 1) {
        totalWidth = first.Width;
        maxHeight = first.Height;
    } else if (!allDispose2) {
        const bool firstCoversCanvas =
            first.Width == d.CanvasWidth && first.Height == d.CanvasHeight;
        plan.CanvasNeeded = true;
        plan.CanvasWithMask = anyDispose23 || first.HasTransparency == 1 ||
                              (plan.AnyTransparency && !firstCoversCanvas);
    }
    if (totalWidth <= 0 || maxHeight <= 0 || totalWidth > INT32_MAX) return std::nullopt;
    plan.StripWidth = static_cast<std::int32_t>(totalWidth);
    plan.StripHeight = maxHeight;

    std::uint64_t bytes = 0;
    auto add = [&bytes](std::optional<std::uint64_t> part) {
        if (!part || __builtin_add_overflow(bytes, *part, &bytes)) bytes = UINT64_MAX;
    };
    add(DibBytes(8, plan.StripWidth, plan.StripHeight));
    if (plan.CanvasNeeded) add(DibBytes(24, d.CanvasWidth, d.CanvasHeight));
    if (plan.CanvasWithMask) add(DibBytes(1, d.CanvasWidth, d.CanvasHeight));
    if (bytes > kMaxRasterBytes) return std::nullopt;
    return plan;
}

bool BuildFirstFrame(AniGifData& d, const FirstPassPlan& plan) {
    std::optional<Dib8> strip = Dib8::Create(plan.StripWidth, plan.StripHeight);
    if (!strip) return false;
    d.Strip = std::move(*strip);
    d.Strip.SetColorTable(0, IdentityColorTable());
    if (plan.AnyTransparency || plan.CanvasNeeded) d.MaskPalette = DibColorTable{};
    PrepareFrameGifBuffer(d, plan.LongestSpan);
    BuildFrame(d, 0);
    return true;
}

void BuildRemainingFrames(AniGifData& d) {
    if (d.Frames.size() <= 1 || d.FrameGifBuffer.empty()) return;
    d.Strip.SetColorTable(0, IdentityColorTable());
    for (std::size_t i = 1; i < d.Frames.size(); ++i) BuildFrame(d, i);
}

void ReleaseBuildBuffers(AniGifData& d) {
    d.FrameGifBuffer = {};
    d.FrameSpans = {};
}

}  // namespace anigif
