#include <algorithm>
#include <limits>
#include <new>

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
        MirrorBuiltFrame(data_, 0);
        data_.CurrentFrame = 1;
        PixelSize size = host_.ClientSize();
        ComputeScale(data_, stretch_, size.Width, size.Height);

        if (runMode && delayAnimation_ != 0 && data_.Frames.size() > 1) {
            if (SetAnimationTimer(TimerMode::Build)) {
                buildPending_ = true;
                return true;
            }
            // Without a timer the rest would never be built: build it now instead.
        }
        first = false;
    }
    EndBuilding(true);
    return true;
}

void ucAniGIF::EndBuilding(bool startPlayback) {
    const bool runMode = host_.IsRunMode();
    if (runMode) {
        const auto from = static_cast<std::size_t>(data_.FramesBuilt);
        BuildRemainingFrames(data_);
        for (auto i = from; i < static_cast<std::size_t>(data_.FramesBuilt); ++i)
            MirrorBuiltFrame(data_, i);
    }
    ReleaseBuildBuffers(data_);
    if (!runMode) return;
    data_.GifBytes = {};
    loopsLeft_ = data_.LoopCount;
    if (!startPlayback) return;
    if (delayAnimation_ & 2) {
        RaiseFrameChanged(1, false);
    } else {
        SetAnimationTimer(TimerMode::Play);
    }
}

void ucAniGIF::FinishPendingBuild() {
    if (!buildPending_) return;
    buildPending_ = false;
    EndBuilding(false);
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
        // A command that stops the build wait still gets every frame built.
        FinishPendingBuild();
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
    buildPending_ = false;
    SetAnimationTimer(TimerMode::Stop);
    try {
        EndBuilding(true);
    } catch (const std::bad_alloc&) {
        // As for a first pass that fails: the load is undone and the control left empty.
        data_.GifBytes = {};
        ResetAnimation();
        data_.CanvasWidth = data_.CanvasHeight = data_.LoopCount = 0;
        host_.Repaint();
    }
}

void ucAniGIF::OnFrameTimer() {
    host_.StopTimer();  // every tick is one-shot; re-armed below with the new frame's interval
    const auto count = static_cast<std::int32_t>(data_.Frames.size());
    if (count == 0) return;
    const std::int32_t previous = data_.CurrentFrame;
    const std::int32_t next = previous >= count ? 1 : previous + 1;
    bool goesOn = true;
    if (count == 1) {
        loopsLeft_ = 0;
        goesOn = false;
    } else if (next == 1 && data_.LoopCount != 0) {
        if (loopsLeft_ != std::numeric_limits<std::int32_t>::min()) --loopsLeft_;
        goesOn = loopsLeft_ != 0;
    }
    if (!goesOn) actionState_ = 0;

    const std::uint64_t generation = loadGeneration_;
    ShowFrame(next);
    RaiseFrameChanged(previous, true);
    if (generation != loadGeneration_) return;  // a handler loaded another image
    if (goesOn && actionState_ != 1) return;    // ...or stopped or paused playback
    if (goesOn) {
        if (!host_.StartTimer(FrameInterval(), [this] { OnFrameTimer(); })) actionState_ = 0;
    } else if (LoopsEnded) {
        LoopsEnded();
    }
}

}  // namespace anigif
