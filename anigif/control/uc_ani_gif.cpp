#include "control/uc_ani_gif.h"

#include <cmath>
#include <limits>
#include <new>

#include "decode/parse_gif_stream.h"
#include "decode/reset_animation.h"

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
    return data_.CurrentFrame == 0 ? 0 : static_cast<std::int32_t>(data_.Frames.size());
}

std::int32_t ucAniGIF::ActualWidth() const {
    return WholeUnits(host_.PixelsToContainerX(data_.CanvasWidth));
}

std::int32_t ucAniGIF::ActualHeight() const {
    return WholeUnits(host_.PixelsToContainerY(data_.CanvasHeight));
}

std::int32_t ucAniGIF::LoopsRemaining() const {
    if (data_.CurrentFrame == 0) return 0;
    if (data_.LoopCount == 0) return std::numeric_limits<std::int32_t>::max();
    return loopsLeft_;
}

void ucAniGIF::SetDelayAnimation(std::int32_t mode) {
    if (mode < 0 || mode > 3 || mode == delayAnimation_) return;
    delayAnimation_ = mode;
    host_.PropertyChanged("DelayAnimation");
}

void ucAniGIF::UserControl_Resize() {
    if (data_.CurrentFrame == 0 || resizing_) return;
    PixelSize size = host_.ClientSize();
    ComputeScale(data_, stretch_, size.Width, size.Height);
    resizing_ = true;
    host_.ResizeClient(size.Width, size.Height);
    resizing_ = false;
}

void ucAniGIF::RaiseFrameChanged(std::int32_t frame, bool viaTimer) {
    if (FrameChanged) FrameChanged(frame, viaTimer);
}

void ucAniGIF::ResetAnimation() {
    buildPending_ = false;  // the frames waiting to be built go with the rest
    SetAnimationTimer(TimerMode::Stop);
    anigif::ResetAnimation(data_);
    actionState_ = 0;
    ++loadGeneration_;
}

std::int32_t ucAniGIF::LoadGifStream() {
    ResetAnimation();
    data_.CanvasWidth = 0;
    data_.CanvasHeight = 0;
    data_.LoopCount = 0;
    data_.ScaleFactorX = 0;
    data_.ScaleFactorY = 0;

    std::int32_t frames = 0;
    bool ok = false;
    try {
        if (!data_.GifBytes.empty()) frames = ParseGifStream(data_);
        if (frames > 0) {
            data_.ReadBuffer = {};
            data_.ReadPos = 0;
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
        data_.GifBytes = {};
        ResetAnimation();
        // An empty control reports no size or loop count of the stream it rejected.
        data_.CanvasWidth = 0;
        data_.CanvasHeight = 0;
        data_.LoopCount = 0;
        return 0;
    }
    return frames;
}

bool ucAniGIF::FinishLoad() {
    if (LoadGifStream() == 0) return false;
    if (stretch_ == StretchMode::Fit || stretch_ == StretchMode::Shrink ||
        stretch_ == StretchMode::Exact) {
        UserControl_Resize();
    }
    return true;
}

}  // namespace anigif
