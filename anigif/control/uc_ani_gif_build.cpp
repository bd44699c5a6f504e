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
        const std::optional<FirstPassPlan> plan = PlanFirstPass(animation_, *building_, !runMode);
        if (!plan) return false;
        if (!BuildFirstFrame(animation_, *building_, *plan)) return false;
        // Pixels that frame 1's data never delivered let the background show, as its own
        // transparent ones do.
        const bool withMask = plan->CanvasWithMask || animation_.Frames[0].HasTransparency == 1;
        if (plan->CanvasNeeded &&
            !CreateCanvas(compositor_, animation_.CanvasWidth, animation_.CanvasHeight, withMask))
            return false;
        MirrorBuiltFrame(animation_, 0, view_.MirrorMode);
        player_.CurrentFrame = 1;
        PixelSize size = host_.ClientSize();
        ComputeScale(animation_, view_, stretch_, size.Width, size.Height);

        if (runMode && delayAnimation_ != 0 && animation_.Frames.size() > 1) {
            if (SetAnimationTimer(TimerMode::Build)) {
                player_.BuildPending = true;
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
    if (runMode && building_) {
        const auto from = static_cast<std::size_t>(animation_.FramesBuilt);
        BuildRemainingFrames(animation_, *building_);
        for (auto i = from; i < static_cast<std::size_t>(animation_.FramesBuilt); ++i)
            MirrorBuiltFrame(animation_, i, view_.MirrorMode);
        if (compositor_.Canvas.Empty() && LaterFrameNeedsCanvas(animation_))
            CreateCanvas(compositor_, animation_.CanvasWidth, animation_.CanvasHeight, true);
    }
    building_.reset();
    if (!runMode) return;
    gifBytes_ = {};
    player_.LoopsLeft = animation_.LoopCount;
    if (!startPlayback) return;
    if (delayAnimation_ & 2) {
        // A single frame is announced by its load.
        if (animation_.Frames.size() > 1) RaiseFrameChanged(1, false);
    } else {
        SetAnimationTimer(TimerMode::Play);
    }
}

void ucAniGIF::FinishPendingBuild() {
    if (!player_.BuildPending) return;
    player_.BuildPending = false;
    EndBuilding(false);
}

std::int32_t ucAniGIF::FrameInterval() const {
    if (steppedDelay_ != 0) return steppedDelay_;
    return std::max(animation_.Frames[static_cast<std::size_t>(player_.CurrentFrame - 1)].DelayMs,
                    minFrameDelay_);
}

bool ucAniGIF::SetAnimationTimer(TimerMode mode) {
    if (mode == TimerMode::Stop) {
        host_.StopTimer();
        player_.Action = ActionState::Stopped;
        // A command that stops the build wait still gets every frame built.
        FinishPendingBuild();
        return false;
    }
    if (player_.Action == ActionState::Playing) return false;
    player_.Action = ActionState::Stopped;
    if (player_.CurrentFrame == 0 || !host_.IsRunMode()) return false;
    if (mode == TimerMode::Play && animation_.Frames.size() <= 1) return false;
    if (mode == TimerMode::Play) return ArmFrameTimer(host_.ClockMs() + FrameInterval());
    if (!host_.StartTimer(20, [this] { OnBuildTimer(); })) return false;
    player_.Action = ActionState::Playing;
    return true;
}

bool ucAniGIF::ArmFrameTimer(std::int64_t dueAtMs) {
    // A tick far behind (the program was held up) starts afresh instead of catching up in a burst.
    const std::int64_t now = host_.ClockMs();
    player_.DueAtMs = std::max(dueAtMs, now);
    const auto wait = static_cast<std::int32_t>(
        std::min<std::int64_t>(player_.DueAtMs - now, std::numeric_limits<std::int32_t>::max()));
    if (!host_.StartTimer(wait, [this] { OnFrameTimer(); })) {
        player_.Action = ActionState::Stopped;
        return false;
    }
    player_.Action = ActionState::Playing;
    return true;
}

void ucAniGIF::OnBuildTimer() {
    player_.BuildPending = false;
    SetAnimationTimer(TimerMode::Stop);
    try {
        EndBuilding(true);
    } catch (const std::bad_alloc&) {
        // As for a first pass that fails: the load is undone and the control left empty.
        FailLoad();
        host_.Repaint();
    }
}

void ucAniGIF::OnFrameTimer() {
    host_.StopTimer();  // every tick is one-shot; re-armed below with the new frame's interval
    const auto count = static_cast<std::int32_t>(animation_.Frames.size());
    if (count == 0) return;
    const std::int32_t previous = player_.CurrentFrame;
    const std::int32_t next = previous >= count ? 1 : previous + 1;
    bool goesOn = true;
    if (count == 1) {
        player_.LoopsLeft = 0;
        goesOn = false;
    } else if (next == 1 && animation_.LoopCount != 0) {
        if (player_.LoopsLeft != std::numeric_limits<std::int32_t>::min()) --player_.LoopsLeft;
        goesOn = player_.LoopsLeft != 0;
    }
    if (!goesOn) player_.Action = ActionState::Stopped;

    // The next frame is due its interval after this one was, not after this one is painted.
    const std::int64_t shownAt = player_.DueAtMs;
    const std::uint64_t generation = loadGeneration_;
    ShowFrame(next);
    RaiseFrameChanged(previous, true);
    if (generation != loadGeneration_) return;                     // a handler loaded another image
    if (goesOn && player_.Action != ActionState::Playing) return;  // ...or stopped or paused
    if (goesOn) {
        player_.Action = ActionState::Stopped;
        ArmFrameTimer(shownAt + FrameInterval());
    } else if (LoopsEnded) {
        LoopsEnded();
    }
}

}  // namespace anigif
