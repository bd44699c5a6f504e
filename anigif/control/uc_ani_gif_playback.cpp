#include <cstdlib>
#include <limits>

#include "control/uc_ani_gif.h"
#include "raster/fill.h"
#include "render/draw_frame.h"
#include "render/mirror_frames.h"

namespace anigif {

void ucAniGIF::ShowFrame(std::int32_t frame) {
    // The canvas follows at the next paint, through every frame shown on the way.
    player_.CurrentFrame = frame;
    host_.Repaint();
}

void ucAniGIF::SetAction(std::int32_t command) {
    if (command < 0 || command > static_cast<std::int32_t>(ActionCommand::Restart)) return;
    Act(static_cast<ActionCommand>(command));
}

void ucAniGIF::Act(ActionCommand command) {
    if (player_.CurrentFrame == 0 || !host_.IsRunMode()) return;
    switch (command) {
        case ActionCommand::Stop:
        case ActionCommand::Restart:
            SetAnimationTimer(TimerMode::Stop);
            player_.LoopsLeft = animation_.LoopCount;
            ShowFrame(1);
            RaiseFrameChanged(1, false);
            if (command == ActionCommand::Restart) SetAnimationTimer(TimerMode::Play);
            break;
        case ActionCommand::Play:
            SetAnimationTimer(TimerMode::Play);
            break;
        case ActionCommand::Pause:
            if (player_.Action != ActionState::Stopped) {
                SetAnimationTimer(TimerMode::Stop);
                player_.Action = ActionState::Paused;
            }
            break;
        case ActionCommand::Next: {
            SetAnimationTimer(TimerMode::Stop);
            const auto count = static_cast<std::int32_t>(animation_.Frames.size());
            player_.Action = ActionState::Paused;
            ShowFrame(player_.CurrentFrame >= count ? 1 : player_.CurrentFrame + 1);
            RaiseFrameChanged(player_.CurrentFrame, false);
            break;
        }
    }
}

void ucAniGIF::UserControl_Hide() { Act(ActionCommand::Pause); }

void ucAniGIF::UserControl_Show() {
    if (player_.Action == ActionState::Paused) SetAnimationTimer(TimerMode::Play);
}

void ucAniGIF::UserControl_Paint(Surface32& surface, std::uint32_t background) {
    const PixelSize client = host_.ClientSize();
    DrawCurrentFrame(animation_, compositor_, view_, player_.CurrentFrame, TargetOf(surface),
                     client.Width, client.Height, background);
    if (!host_.IsRunMode()) {
        constexpr int kWindowFrame = 6;  // the desktop's colour for window frames
        DrawDottedRectangle(TargetOf(surface), {0, 0, client.Width, client.Height},
                            SystemColor(kWindowFrame));
    }
}

void ucAniGIF::RepaintUnlessPlaying() {
    if (player_.Action != ActionState::Playing || !host_.IsRunMode()) host_.Repaint();
}

void ucAniGIF::SetLoops(std::int32_t count) {
    if (count == animation_.LoopCount) return;
    // Passes left stay as they are; the new count applies from the next stop or restart.
    animation_.LoopCount = static_cast<std::int32_t>(*ApplyRange(Property::Loops, count));
    MarkChanged(Property::Loops);
}

void ucAniGIF::SetStretch(std::int32_t mode) {
    const auto v = ApplyRange(Property::Stretch, mode);
    if (!v || *v == Stretch()) return;
    stretch_ = static_cast<StretchMode>(*v);
    const ActionState state = player_.Action;
    Act(ActionCommand::Pause);
    UserControl_Resize();
    SetAction(static_cast<std::int32_t>(state));
    if (state != ActionState::Playing) host_.Repaint();
    MarkChanged(Property::Stretch);
}

void ucAniGIF::SetMinFrameDelay(std::int32_t ms) {
    ms = static_cast<std::int32_t>(*ApplyRange(Property::MinFrameDelay, ms));
    if (ms == minFrameDelay_) return;
    minFrameDelay_ = ms;
    MarkChanged(Property::MinFrameDelay);
}

void ucAniGIF::SetSteppedDelay(std::int32_t ms) {
    steppedDelay_ = static_cast<std::int32_t>(*ApplyRange(Property::SteppedDelay, ms));
}

void ucAniGIF::SetMirrored(std::int32_t mode) {
    if (!ApplyRange(Property::Mirrored, mode)) return;
    if (player_.CurrentFrame == 0) {
        view_.MirrorMode = mode;
        MarkChanged(Property::Mirrored);
        return;
    }
    if (mode == view_.MirrorMode) return;
    const ActionState state = player_.Action;
    const bool runMode = host_.IsRunMode();
    Act(ActionCommand::Pause);
    MirrorFrames(animation_, compositor_, view_.MirrorMode, mode, !runMode, runMode);
    view_.MirrorMode = mode;
    if (state == ActionState::Playing) {
        Act(ActionCommand::Play);
    } else {
        host_.Repaint();
    }
    MarkChanged(Property::Mirrored);
}

void ucAniGIF::SetOffsetX(std::int32_t px) {
    view_.OffsetX = px;
    RepaintUnlessPlaying();
}

void ucAniGIF::SetOffsetY(std::int32_t px) {
    view_.OffsetY = px;
    RepaintUnlessPlaying();
}

void ucAniGIF::SetSolidBkgColor(std::uint32_t color) {
    view_.SolidBkgColor = color;
    if (!host_.IsRunMode() && view_.SolidBkgColorUsed) host_.Repaint();
}

void ucAniGIF::SetSolidBkgColorUsed(bool used) {
    view_.SolidBkgColorUsed = used;
    if (!host_.IsRunMode()) host_.Repaint();
}

}  // namespace anigif
