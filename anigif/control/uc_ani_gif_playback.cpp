#include <cstdlib>
#include <limits>

#include "control/uc_ani_gif.h"
#include "raster/fill.h"
#include "render/compose_frame.h"
#include "render/draw_frame.h"
#include "render/mirror_frames.h"

namespace anigif {

void ucAniGIF::ShowFrame(std::int32_t frame) {
    data_.CurrentFrame = frame;
    AdvanceCanvas(data_, frame);
    host_.Repaint();
}

void ucAniGIF::SetAction(std::int32_t command) {
    if (data_.CurrentFrame == 0 || !host_.IsRunMode()) return;
    switch (command) {
        case 0:
        case 4:
            SetAnimationTimer(TimerMode::Stop);
            loopsLeft_ = data_.LoopCount;
            ShowFrame(1);
            RaiseFrameChanged(1, false);
            if (command == 4) SetAnimationTimer(TimerMode::Play);
            break;
        case 1:
            SetAnimationTimer(TimerMode::Play);
            break;
        case 2:
            if (actionState_ != 0) {
                SetAnimationTimer(TimerMode::Stop);
                actionState_ = 2;
            }
            break;
        case 3: {
            SetAnimationTimer(TimerMode::Stop);
            const auto count = static_cast<std::int32_t>(data_.Frames.size());
            actionState_ = 2;
            ShowFrame(data_.CurrentFrame >= count ? 1 : data_.CurrentFrame + 1);
            RaiseFrameChanged(data_.CurrentFrame, false);
            break;
        }
        default:
            break;
    }
}

void ucAniGIF::UserControl_Hide() { SetAction(2); }

void ucAniGIF::UserControl_Show() {
    if (actionState_ == 2) SetAnimationTimer(TimerMode::Play);
}

void ucAniGIF::UserControl_Paint(Surface32& surface) {
    const PixelSize client = host_.ClientSize();
    DrawCurrentFrame(data_, data_.CurrentFrame, TargetOf(surface), client.Width, client.Height);
    if (!host_.IsRunMode()) {
        constexpr int kWindowFrame = 6;  // the desktop's colour for window frames
        DrawDottedRectangle(TargetOf(surface), {0, 0, client.Width, client.Height},
                            SystemColor(kWindowFrame));
    }
}

void ucAniGIF::RepaintUnlessPlaying() {
    if (actionState_ != 1 || !host_.IsRunMode()) host_.Repaint();
}

void ucAniGIF::SetLoops(std::int32_t count) {
    if (count == data_.LoopCount) return;
    // Passes left stay as they are; the new count applies from the next stop or restart.
    data_.LoopCount = count == std::numeric_limits<std::int32_t>::min()
                          ? std::numeric_limits<std::int32_t>::max()
                          : std::abs(count);
    host_.PropertyChanged("Loops");
}

void ucAniGIF::SetStretch(std::int32_t mode) {
    if (mode < 0 || mode > 4 || mode == Stretch()) return;
    stretch_ = static_cast<StretchMode>(mode);
    const std::int32_t state = actionState_;
    SetAction(2);
    UserControl_Resize();
    SetAction(state);
    if (state != 1) host_.Repaint();
    host_.PropertyChanged("Stretch");
}

void ucAniGIF::SetMinFrameDelay(std::int32_t ms) {
    ms = std::clamp(ms, 10, 32700);
    if (ms == minFrameDelay_) return;
    minFrameDelay_ = ms;
    host_.PropertyChanged("Delay");
}

void ucAniGIF::SetSteppedDelay(std::int32_t ms) { steppedDelay_ = ms < 0 ? 0 : ms; }

void ucAniGIF::SetMirrored(std::int32_t mode) {
    if (mode < 0 || mode > 3) return;
    if (data_.CurrentFrame == 0) {
        data_.MirrorMode = mode;
        host_.PropertyChanged("Mirrored");
        return;
    }
    if (mode == data_.MirrorMode) return;
    const std::int32_t state = actionState_;
    const bool runMode = host_.IsRunMode();
    SetAction(2);
    MirrorFrames(data_, mode, !runMode, runMode);
    data_.MirrorMode = mode;
    if (state == 1) {
        SetAction(1);
    } else {
        host_.Repaint();
    }
    host_.PropertyChanged("Mirrored");
}

void ucAniGIF::SetOffsetX(std::int32_t px) {
    data_.OffsetX = px;
    RepaintUnlessPlaying();
}

void ucAniGIF::SetOffsetY(std::int32_t px) {
    data_.OffsetY = px;
    RepaintUnlessPlaying();
}

void ucAniGIF::SetSolidBkgColor(std::uint32_t color) {
    data_.SolidBkgColor = color;
    if (!host_.IsRunMode() && data_.SolidBkgColorUsed) host_.Repaint();
}

void ucAniGIF::SetSolidBkgColorUsed(bool used) {
    data_.SolidBkgColorUsed = used;
    if (!host_.IsRunMode()) host_.Repaint();
}

}  // namespace anigif
