#include "control/uc_ani_gif.h"

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

ucAniGIF::ucAniGIF(AniGifHost& host) : host_(host) {}

ucAniGIF::~ucAniGIF() {
    host_.CancelDownload();
    ResetAnimation();
}

std::int32_t ucAniGIF::FrameCount() const {
    return player_.CurrentFrame == 0 ? 0 : static_cast<std::int32_t>(animation_.Frames.size());
}

std::int32_t ucAniGIF::ActualWidth() const {
    return WholeUnits(host_.PixelsToContainerX(animation_.CanvasWidth));
}

std::int32_t ucAniGIF::ActualHeight() const {
    return WholeUnits(host_.PixelsToContainerY(animation_.CanvasHeight));
}

std::int32_t ucAniGIF::LoopsRemaining() const {
    if (player_.CurrentFrame == 0) return 0;
    if (animation_.LoopCount == 0) return std::numeric_limits<std::int32_t>::max();
    return player_.LoopsLeft;
}

void ucAniGIF::MarkChanged(Property p) {
    if (!restoring_ && !SpecOf(p).Mark.empty()) host_.PropertyChanged(SpecOf(p).Mark);
}

void ucAniGIF::SetDelayAnimation(std::int32_t mode) {
    const auto v = ApplyRange(Property::DelayAnimation, mode);
    if (!v || *v == delayAnimation_) return;
    delayAnimation_ = static_cast<std::int32_t>(*v);
    MarkChanged(Property::DelayAnimation);
}

void ucAniGIF::UserControl_Resize() {
    if (player_.CurrentFrame == 0 || resizing_) return;
    PixelSize size = host_.ClientSize();
    ComputeScale(animation_, view_, stretch_, size.Width, size.Height);
    resizing_ = true;
    host_.ResizeClient(size.Width, size.Height);
    resizing_ = false;
}

void ucAniGIF::RaiseFrameChanged(std::int32_t frame, bool viaTimer) {
    if (FrameChanged) FrameChanged(frame, viaTimer);
}

void ucAniGIF::ResetAnimation() {
    player_.BuildPending = false;  // the frames waiting to be built go with the rest
    SetAnimationTimer(TimerMode::Stop);
    building_.reset();
    animation_ = GifAnimation{};
    compositor_ = Compositor{};
    player_ = GifPlayer{};
    cache_ = ColorTableCache{};
    ++loadGeneration_;
}

void ucAniGIF::FailLoad() {
    // The control is left empty; the size and loop count that parsing found stay readable.
    const GifAnimation& a = animation_;
    const auto [width, height, loops] = std::tuple(a.CanvasWidth, a.CanvasHeight, a.LoopCount);
    gifBytes_ = {};
    ResetAnimation();
    animation_.CanvasWidth = width;
    animation_.CanvasHeight = height;
    animation_.LoopCount = loops;
}

std::int32_t ucAniGIF::LoadGifStream(std::vector<std::uint8_t> bytes,
                                     std::span<const std::uint8_t> borrowed) {
    // Frames waiting to be built read the stream: they go before it is replaced.
    ResetAnimation();
    gifBytes_ = std::move(bytes);
    const std::span<const std::uint8_t> stream =
        gifBytes_.empty() ? borrowed : std::span<const std::uint8_t>(gifBytes_);
    view_.ScaleFactorX = view_.ScaleFactorY = 0;
    std::int32_t frames = 0;
    bool ok = false;
    try {
        ParsedGif parsed;
        if (!stream.empty()) parsed = ParseGifStream(stream);
        animation_ = std::move(parsed.Animation);
        frames = static_cast<std::int32_t>(animation_.Frames.size());
        if (frames > 0) {
            building_ = FrameSource{stream, std::move(parsed.FrameSpans)};
            const std::uint64_t generation = loadGeneration_;
            bool first = true;
            ok = BuildFrames(first);
            if (ok && generation == loadGeneration_ && frames == 1 && host_.IsRunMode()) {
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
    if (stretch_ == StretchMode::Fit || stretch_ == StretchMode::Shrink ||
        stretch_ == StretchMode::Exact) {
        UserControl_Resize();
    }
    return true;
}

}  // namespace anigif
