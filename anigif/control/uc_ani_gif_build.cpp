#include <algorithm>
#include <limits>
#include <new>

#include "control/uc_ani_gif_state.h"
#include "decode/build_frames.h"
#include "render/compute_scale.h"
#include "render/create_canvas.h"
#include "render/mirror_frames.h"

namespace anigif {

bool ucAniGIF::BuildFrames(bool& first) {
    const bool runMode = host_.IsRunMode();
    if (first) {
        const std::optional<FirstPassPlan> plan =
            PlanFirstPass(state_->animation, *state_->building, !runMode);
        if (!plan) return false;
        if (!BuildFirstFrame(state_->animation, *state_->building, *plan)) return false;
        // Pixels that frame 1's data never delivered let the background show, as its own
        // transparent ones do.
        const bool withMask =
            plan->CanvasWithMask || state_->animation.Frames[0].HasTransparency == 1;
        if (plan->CanvasNeeded && !CreateCanvas(state_->compositor, state_->animation.CanvasWidth,
                                                state_->animation.CanvasHeight, withMask))
            return false;
        MirrorBuiltFrame(state_->animation, 0, state_->view.MirrorMode);
        state_->player.CurrentFrame = 1;
        PixelSize size = host_.ClientSize();
        ComputeScale(state_->animation, state_->view, state_->stretch, size.Width, size.Height);

        if (runMode && state_->delayAnimation != 0 && state_->animation.Frames.size() > 1) {
            if (SetAnimationTimer(TimerMode::Build)) {
                state_->player.BuildPending = true;
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
    if (runMode && state_->building) {
        const auto from = static_cast<std::size_t>(state_->animation.FramesBuilt);
        BuildRemainingFrames(state_->animation, *state_->building);
        for (auto i = from; i < static_cast<std::size_t>(state_->animation.FramesBuilt); ++i)
            MirrorBuiltFrame(state_->animation, i, state_->view.MirrorMode);
        if (state_->compositor.Canvas.Empty() && LaterFrameNeedsCanvas(state_->animation))
            CreateCanvas(state_->compositor, state_->animation.CanvasWidth,
                         state_->animation.CanvasHeight, true);
    }
    state_->building.reset();
    if (!runMode) return;
    state_->gifBytes = {};
    state_->player.LoopsLeft = state_->animation.LoopCount;
    if (!startPlayback) return;
    if (state_->delayAnimation & 2) {
        // A single frame is announced by its load.
        if (state_->animation.Frames.size() > 1) RaiseFrameChanged(1, false);
    } else {
        SetAnimationTimer(TimerMode::Play);
    }
}

void ucAniGIF::FinishPendingBuild() {
    if (!state_->player.BuildPending) return;
    state_->player.BuildPending = false;
    EndBuilding(false);
}

std::int32_t ucAniGIF::FrameInterval() const {
    if (state_->steppedDelay != 0) return state_->steppedDelay;
    return std::max(
        state_->animation.Frames[static_cast<std::size_t>(state_->player.CurrentFrame - 1)].DelayMs,
        state_->minFrameDelay);
}

bool ucAniGIF::SetAnimationTimer(TimerMode mode) {
    if (mode == TimerMode::Stop) {
        host_.StopTimer();
        state_->player.Action = ActionState::Stopped;
        // A command that stops the build wait still gets every frame built.
        FinishPendingBuild();
        return false;
    }
    if (state_->player.Action == ActionState::Playing) return false;
    state_->player.Action = ActionState::Stopped;
    if (state_->player.CurrentFrame == 0 || !host_.IsRunMode()) return false;
    if (mode == TimerMode::Play && state_->animation.Frames.size() <= 1) return false;
    if (mode == TimerMode::Play) return ArmFrameTimer(host_.ClockMs() + FrameInterval());
    if (!host_.StartTimer(20, [this] { OnBuildTimer(); })) return false;
    state_->player.Action = ActionState::Playing;
    return true;
}

bool ucAniGIF::ArmFrameTimer(std::int64_t dueAtMs) {
    // A tick far behind (the program was held up) starts afresh instead of catching up in a burst.
    const std::int64_t now = host_.ClockMs();
    state_->player.DueAtMs = std::max(dueAtMs, now);
    const auto wait = static_cast<std::int32_t>(std::min<std::int64_t>(
        state_->player.DueAtMs - now, std::numeric_limits<std::int32_t>::max()));
    if (!host_.StartTimer(wait, [this] { OnFrameTimer(); })) {
        state_->player.Action = ActionState::Stopped;
        return false;
    }
    state_->player.Action = ActionState::Playing;
    return true;
}

void ucAniGIF::OnBuildTimer() {
    state_->player.BuildPending = false;
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
    const auto count = static_cast<std::int32_t>(state_->animation.Frames.size());
    if (count == 0) return;
    const std::int32_t previous = state_->player.CurrentFrame;
    const std::int32_t next = previous >= count ? 1 : previous + 1;
    bool goesOn = true;
    if (count == 1) {
        state_->player.LoopsLeft = 0;
        goesOn = false;
    } else if (next == 1 && state_->animation.LoopCount != 0) {
        if (state_->player.LoopsLeft != std::numeric_limits<std::int32_t>::min())
            --state_->player.LoopsLeft;
        goesOn = state_->player.LoopsLeft != 0;
    }
    if (!goesOn) state_->player.Action = ActionState::Stopped;

    // The next frame is due its interval after this one was, not after this one is painted.
    const std::int64_t shownAt = state_->player.DueAtMs;
    const std::uint64_t generation = state_->loadGeneration;
    ShowFrame(next);
    RaiseFrameChanged(previous, true);
    if (generation != state_->loadGeneration) return;  // a handler loaded another image
    if (goesOn && state_->player.Action != ActionState::Playing) return;  // ...or stopped or paused
    if (goesOn) {
        state_->player.Action = ActionState::Stopped;
        ArmFrameTimer(shownAt + FrameInterval());
    } else if (LoopsEnded) {
        LoopsEnded();
    }
}

}  // namespace anigif
