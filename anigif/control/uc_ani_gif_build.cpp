#include <algorithm>
#include <limits>

#include "control/uc_ani_gif.h"
#include "decode/build_frames.h"
#include "render/compute_scale.h"
#include "render/create_canvas.h"
#include "render/mirror_frames.h"

namespace anigif {

bool ucAniGIF::BuildFrames(bool& first) {
    const bool runMode = host_.IsRunMode();
    if (first) {
        const std::optional<FirstPassPlan> plan = PlanFirstPass(data_, !runMode);
        if (!plan) return false;
        if (plan->CanvasNeeded && !CreateCanvas(data_, plan->CanvasWithMask)) return false;
        if (!BuildFirstFrame(data_, *plan)) return false;
        data_.CurrentFrame = 1;
        PixelSize size = host_.ClientSize();
        ComputeScale(data_, stretch_, size.Width, size.Height);

        if (runMode && delayAnimation_ != 0 && data_.Frames.size() > 1) {
            MirrorFrames(data_, 0, true, false);
            data_.FirstFrameMirrored = true;
            if (SetAnimationTimer(TimerMode::Build)) return true;
            // Without a timer the rest would never be built: build it now instead.
        }
        first = false;
        if (runMode) BuildRemainingFrames(data_);
    } else {
        BuildRemainingFrames(data_);
    }
    EndBuilding();
    return true;
}

void ucAniGIF::EndBuilding() {
    ReleaseBuildBuffers(data_);
    const bool runMode = host_.IsRunMode();
    MirrorFrames(data_, 0, !runMode, false);
    if (!runMode) return;
    data_.GifBytes = {};
    if (delayAnimation_ & 2) {
        RaiseFrameChanged(1, false);
    } else {
        loopsLeft_ = data_.LoopCount;
        SetAnimationTimer(TimerMode::Play);
    }
}

std::int32_t ucAniGIF::FrameInterval() const {
    if (steppedDelay_ != 0) return steppedDelay_;
    return std::max(data_.Frames[static_cast<std::size_t>(data_.CurrentFrame - 1)].DelayMs,
                    minFrameDelay_);
}

bool ucAniGIF::SetAnimationTimer(TimerMode mode) {
    if (mode == TimerMode::Stop) {
        host_.StopTimer();
        actionState_ = 0;
        return false;
    }
    if (actionState_ == 1) return false;
    actionState_ = 0;
    if (data_.CurrentFrame == 0 || !host_.IsRunMode()) return false;
    if (mode == TimerMode::Play && data_.Frames.size() <= 1) return false;
    const std::int32_t interval = mode == TimerMode::Build ? 20 : FrameInterval();
    const bool started = host_.StartTimer(interval, [this, mode] {
        if (mode == TimerMode::Build) {
            OnBuildTimer();
        } else {
            OnFrameTimer();
        }
    });
    if (!started) return false;
    actionState_ = 1;
    return true;
}

void ucAniGIF::OnBuildTimer() {
    SetAnimationTimer(TimerMode::Stop);
    bool first = false;
    BuildFrames(first);
}

void ucAniGIF::OnFrameTimer() {
    host_.StopTimer();  // every tick is one-shot; re-armed below with the new frame's interval
    const auto count = static_cast<std::int32_t>(data_.Frames.size());
    if (count == 0) return;
    const std::int32_t previous = data_.CurrentFrame;
    bool wrapped = false;
    if (++data_.CurrentFrame > count) {
        data_.CurrentFrame = 1;
        wrapped = true;
    }
    bool goesOn = true;
    if (count == 1) {
        loopsLeft_ = 0;
        goesOn = false;
    } else if (wrapped && data_.LoopCount != 0) {
        if (loopsLeft_ != std::numeric_limits<std::int32_t>::min()) --loopsLeft_;
        goesOn = loopsLeft_ != 0;
    }
    if (!goesOn) actionState_ = 0;

    const std::uint64_t generation = loadGeneration_;
    host_.Repaint();
    RaiseFrameChanged(previous, true);
    if (generation != loadGeneration_) return;  // a handler loaded another image
    if (goesOn) {
        if (!host_.StartTimer(FrameInterval(), [this] { OnFrameTimer(); })) actionState_ = 0;
    } else if (LoopsEnded) {
        LoopsEnded();
    }
}

}  // namespace anigif
