#include <cstdlib>
#include <limits>

#include "control/uc_ani_gif_state.h"
#include "raster/fill.h"
#include "render/draw_frame.h"
#include "render/mirror_frames.h"

namespace anigif {

void ucAniGIF::ShowFrame(std::int32_t frame) {
    // The canvas follows at the next paint, through every frame shown on the way.
    state_->player.CurrentFrame = frame;
    host_.Repaint();
}

void ucAniGIF::SetAction(std::int32_t Act) {
    if (Act < 0 || Act > static_cast<std::int32_t>(ActionCommand::Restart)) return;
    Perform(static_cast<ActionCommand>(Act));
}

void ucAniGIF::Perform(ActionCommand command) {
    if (state_->player.CurrentFrame == 0 || !host_.IsRunMode()) return;
    switch (command) {
        case ActionCommand::Stop:
        case ActionCommand::Restart:
            SetAnimationTimer(TimerMode::Stop);
            state_->player.LoopsLeft = state_->animation.LoopCount;
            ShowFrame(1);
            RaiseFrameChanged(1, false);
            if (command == ActionCommand::Restart) SetAnimationTimer(TimerMode::Play);
            break;
        case ActionCommand::Play:
            SetAnimationTimer(TimerMode::Play);
            break;
        case ActionCommand::Pause:
            if (state_->player.Action != ActionState::Stopped) {
                SetAnimationTimer(TimerMode::Stop);
                state_->player.Action = ActionState::Paused;
            }
            break;
        case ActionCommand::Next: {
            SetAnimationTimer(TimerMode::Stop);
            const auto count = static_cast<std::int32_t>(state_->animation.Frames.size());
            state_->player.Action = ActionState::Paused;
            ShowFrame(state_->player.CurrentFrame >= count ? 1 : state_->player.CurrentFrame + 1);
            RaiseFrameChanged(state_->player.CurrentFrame, false);
            break;
        }
    }
}

void ucAniGIF::UserControl_Hide() { Perform(ActionCommand::Pause); }

void ucAniGIF::UserControl_Show() {
    if (state_->player.Action == ActionState::Paused) SetAnimationTimer(TimerMode::Play);
}

void ucAniGIF::UserControl_Paint(Surface32& surface, std::uint32_t background) {
    const PixelSize client = host_.ClientSize();
    DrawCurrentFrame(state_->animation, state_->compositor, state_->view,
                     state_->player.CurrentFrame, TargetOf(surface), client.Width, client.Height,
                     background);
    if (!host_.IsRunMode()) {
        constexpr int kWindowFrame = 6;  // the desktop's colour for window frames
        DrawDottedRectangle(TargetOf(surface), {0, 0, client.Width, client.Height},
                            SystemColor(kWindowFrame));
    }
}

void ucAniGIF::RepaintUnlessPlaying() {
    if (state_->player.Action != ActionState::Playing || !host_.IsRunMode()) host_.Repaint();
}

void ucAniGIF::SetLoops(std::int32_t Count) {
    if (Count == state_->animation.LoopCount) return;
    // Passes left stay as they are; the new count applies from the next stop or restart.
    state_->animation.LoopCount = static_cast<std::int32_t>(*ApplyRange(Property::Loops, Count));
    MarkChanged(Property::Loops);
}

void ucAniGIF::SetStretch(std::int32_t newScale) {
    const auto v = ApplyRange(Property::Stretch, newScale);
    if (!v || *v == Stretch()) return;
    state_->stretch = static_cast<StretchMode>(*v);
    const ActionState before = state_->player.Action;
    Perform(ActionCommand::Pause);
    UserControl_Resize();
    SetAction(static_cast<std::int32_t>(before));
    if (before != ActionState::Playing) host_.Repaint();
    MarkChanged(Property::Stretch);
}

void ucAniGIF::SetMinFrameDelay(std::int32_t Delay) {
    Delay = static_cast<std::int32_t>(*ApplyRange(Property::MinFrameDelay, Delay));
    if (Delay == state_->minFrameDelay) return;
    state_->minFrameDelay = Delay;
    MarkChanged(Property::MinFrameDelay);
}

void ucAniGIF::SetSteppedDelay(std::int32_t newDelay) {
    state_->steppedDelay = static_cast<std::int32_t>(*ApplyRange(Property::SteppedDelay, newDelay));
}

void ucAniGIF::SetMirrored(std::int32_t MirrorStyle) {
    if (!ApplyRange(Property::Mirrored, MirrorStyle)) return;
    if (state_->player.CurrentFrame == 0) {
        state_->view.MirrorMode = MirrorStyle;
        MarkChanged(Property::Mirrored);
        return;
    }
    if (MirrorStyle == state_->view.MirrorMode) return;
    const ActionState before = state_->player.Action;
    const bool runMode = host_.IsRunMode();
    Perform(ActionCommand::Pause);
    MirrorFrames(state_->animation, state_->compositor, state_->view.MirrorMode, MirrorStyle,
                 !runMode, runMode);
    state_->view.MirrorMode = MirrorStyle;
    if (before == ActionState::Playing) {
        Perform(ActionCommand::Play);
    } else {
        host_.Repaint();
    }
    MarkChanged(Property::Mirrored);
}

void ucAniGIF::SetOffsetX(std::int32_t NewOffset) {
    state_->view.OffsetX = NewOffset;
    RepaintUnlessPlaying();
}

void ucAniGIF::SetOffsetY(std::int32_t NewOffset) {
    state_->view.OffsetY = NewOffset;
    RepaintUnlessPlaying();
}

void ucAniGIF::SetSolidBkgColor(std::uint32_t Color) {
    state_->view.SolidBkgColor = Color;
    if (!host_.IsRunMode() && state_->view.SolidBkgColorUsed) host_.Repaint();
}

void ucAniGIF::SetSolidBkgColorUsed(bool IgnoreTransparency) {
    state_->view.SolidBkgColorUsed = IgnoreTransparency;
    if (!host_.IsRunMode()) host_.Repaint();
}

}  // namespace anigif
