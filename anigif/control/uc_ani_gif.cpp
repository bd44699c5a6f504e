#include "control/uc_ani_gif_state.h"

#include <cmath>
#include <limits>
#include <new>
#include <tuple>

#include "decode/parse_gif_stream.h"

namespace anigif {

namespace {

std::int32_t WholeUnits(double value) {
    const double down = std::floor(value);
    if (!(down > std::numeric_limits<std::int32_t>::min())) return 0;
    if (down >= std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(down);
}

}  // namespace

ucAniGIF::ucAniGIF(AniGifHost& host) : host_(host), state_(std::make_unique<State>()) {}

ucAniGIF::~ucAniGIF() {
    host_.CancelDownload();
    ResetAnimation();
}

std::int32_t ucAniGIF::CurrentFrame() const { return state_->player.CurrentFrame; }
std::int32_t ucAniGIF::Loops() const { return state_->animation.LoopCount; }
std::int32_t ucAniGIF::Action() const { return static_cast<std::int32_t>(state_->player.Action); }
std::int32_t ucAniGIF::Stretch() const { return static_cast<std::int32_t>(state_->stretch); }
std::int32_t ucAniGIF::MinFrameDelay() const { return state_->minFrameDelay; }
std::int32_t ucAniGIF::SteppedDelay() const { return state_->steppedDelay; }
std::int32_t ucAniGIF::Mirrored() const { return state_->view.MirrorMode; }
std::int32_t ucAniGIF::OffsetX() const { return state_->view.OffsetX; }
std::int32_t ucAniGIF::OffsetY() const { return state_->view.OffsetY; }
std::uint32_t ucAniGIF::SolidBkgColor() const { return state_->view.SolidBkgColor; }
bool ucAniGIF::SolidBkgColorUsed() const { return state_->view.SolidBkgColorUsed; }
std::int32_t ucAniGIF::DelayAnimation() const { return state_->delayAnimation; }
bool ucAniGIF::Enabled() const { return state_->enabled; }
const std::vector<std::uint8_t>& ucAniGIF::MouseIcon() const { return state_->mouseIcon; }
std::int16_t ucAniGIF::MousePointer() const { return state_->mousePointer; }

std::int32_t ucAniGIF::FrameCount() const {
    return state_->player.CurrentFrame == 0
               ? 0
               : static_cast<std::int32_t>(state_->animation.Frames.size());
}

std::int32_t ucAniGIF::ActualWidth() const {
    return WholeUnits(host_.PixelsToContainerX(state_->animation.CanvasWidth));
}

std::int32_t ucAniGIF::ActualHeight() const {
    return WholeUnits(host_.PixelsToContainerY(state_->animation.CanvasHeight));
}

std::int32_t ucAniGIF::LoopsRemaining() const {
    if (state_->player.CurrentFrame == 0) return 0;
    if (state_->animation.LoopCount == 0) return std::numeric_limits<std::int32_t>::max();
    return state_->player.LoopsLeft;
}

void ucAniGIF::MarkChanged(Property p) {
    if (!state_->restoring && !SpecOf(p).Mark.empty()) host_.PropertyChanged(SpecOf(p).Mark);
}

void ucAniGIF::SetDelayAnimation(std::int32_t Mode) {
    const auto v = ApplyRange(Property::DelayAnimation, Mode);
    if (!v || *v == state_->delayAnimation) return;
    state_->delayAnimation = static_cast<std::int32_t>(*v);
    MarkChanged(Property::DelayAnimation);
}

void ucAniGIF::UserControl_Resize() {
    if (state_->player.CurrentFrame == 0 || state_->resizing) return;
    PixelSize size = host_.ClientSize();
    ComputeScale(state_->animation, state_->view, state_->stretch, size.Width, size.Height);
    state_->resizing = true;
    host_.ResizeClient(size.Width, size.Height);
    state_->resizing = false;
}

void ucAniGIF::RaiseFrameChanged(std::int32_t frame, bool viaTimer) {
    if (FrameChanged) FrameChanged(frame, viaTimer);
}

void ucAniGIF::ResetAnimation() {
    state_->player.BuildPending = false;  // the frames waiting to be built go with the rest
    SetAnimationTimer(TimerMode::Stop);
    state_->building.reset();
    state_->animation = GifAnimation{};
    state_->compositor = Compositor{};
    state_->player = GifPlayer{};
    state_->cache = ColorTableCache{};
    ++state_->loadGeneration;
}

void ucAniGIF::FailLoad() {
    // The control is left empty; the size and loop count that parsing found stay readable.
    const GifAnimation& a = state_->animation;
    const auto [width, height, loops] = std::tuple(a.CanvasWidth, a.CanvasHeight, a.LoopCount);
    state_->gifBytes = {};
    ResetAnimation();
    state_->animation.CanvasWidth = width;
    state_->animation.CanvasHeight = height;
    state_->animation.LoopCount = loops;
}

std::int32_t ucAniGIF::LoadGifStream(std::vector<std::uint8_t> bytes,
                                     std::span<const std::uint8_t> borrowed) {
    // Frames waiting to be built read the stream: they go before it is replaced.
    ResetAnimation();
    state_->gifBytes = std::move(bytes);
    const std::span<const std::uint8_t> stream =
        state_->gifBytes.empty() ? borrowed : std::span<const std::uint8_t>(state_->gifBytes);
    state_->view.ScaleFactorX = state_->view.ScaleFactorY = 0;
    std::int32_t frames = 0;
    bool ok = false;
    try {
        ParsedGif parsed;
        if (!stream.empty()) parsed = ParseGifStream(stream);
        state_->animation = std::move(parsed.Animation);
        frames = static_cast<std::int32_t>(state_->animation.Frames.size());
        if (frames > 0) {
            state_->building = FrameSource{stream, std::move(parsed.FrameSpans)};
            const std::uint64_t generation = state_->loadGeneration;
            bool first = true;
            ok = BuildFrames(first);
            if (ok && generation == state_->loadGeneration && frames == 1 && host_.IsRunMode()) {
                host_.Repaint();
                RaiseFrameChanged(1, false);
            }
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) {
        FailLoad();
        return 0;
    }
    return frames;
}

bool ucAniGIF::FinishLoad(std::vector<std::uint8_t> bytes, std::span<const std::uint8_t> borrowed) {
    if (LoadGifStream(std::move(bytes), borrowed) == 0) return false;
    if (state_->stretch == StretchMode::Fit || state_->stretch == StretchMode::Shrink ||
        state_->stretch == StretchMode::Exact) {
        UserControl_Resize();
    }
    return true;
}

}  // namespace anigif
