#include "control_player.h"

#include <cmath>
#include <cstdlib>

#include "decode/build_frames.h"
#include "decode/parse_gif_stream.h"

namespace {

constexpr std::uint32_t kBackground = 0xF0F0F0;  // a window's face colour

}  // namespace

ControlPlayer::ControlPlayer(const std::vector<std::uint8_t>& bytes, double scale) {
    gif_.SetStretch(2);
    gif_.SetDelayAnimation(0);
    const int width = bytes[6] | bytes[7] << 8;
    const int height = bytes[8] | bytes[9] << 8;
    host_.client = {static_cast<std::int32_t>(std::lround(width * scale)),
                    static_cast<std::int32_t>(std::lround(height * scale))};
    if (!gif_.LoadAnimatedGIF_Array(bytes) || gif_.Action() != 1) std::abort();
    surface_ = anigif::Surface32(host_.client.Width, host_.client.Height);
    scaleX_ = float(host_.client.Width) / float(width);

    // The way the control draws and what it holds, planned as its load plans them.
    anigif::ParsedGif parsed = anigif::ParseGifStream(bytes);
    const anigif::FrameSource source{bytes, std::move(parsed.FrameSpans)};
    const auto plan = anigif::PlanFirstPass(parsed.Animation, source, false);
    if (!plan) std::abort();
    path_ = !plan->CanvasNeeded    ? "straight from the strip"
            : plan->CanvasWithMask ? "canvas with mask"
                                   : "canvas, no mask";
    held_ = *anigif::FrameStrip::BytesFor(plan->Columns);
    const std::uint64_t cells = std::uint64_t(width) * std::uint64_t(height);
    if (plan->CanvasNeeded) held_ += 4 * cells;
    if (plan->CanvasWithMask) held_ += cells;
}

void ControlPlayer::Step() {
    if (!host_.Fire()) std::abort();
    // The host's erase is part of the control's paint.
    gif_.UserControl_Paint(surface_, 0xFF000000u | kBackground);
}
