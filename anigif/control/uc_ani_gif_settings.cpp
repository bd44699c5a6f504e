#include <algorithm>

#include "control/uc_ani_gif.h"

namespace anigif {

namespace {

using Bytes = std::vector<std::uint8_t>;

// A value read from a store that the property would refuse counts as missing.
std::int32_t InRange(std::int32_t v, std::int32_t lo, std::int32_t hi, std::int32_t fallback) {
    return v >= lo && v <= hi ? v : fallback;
}

}  // namespace

void ucAniGIF::WriteProperties(PropertyBag& bag) const {
    bag.Write("GIF", data_.GifBytes);
    bag.Write("Delay", static_cast<std::int16_t>(minFrameDelay_), std::int16_t{50});
    bag.Write("Stretch", Stretch(), std::int32_t{1});
    bag.Write("Loops", data_.LoopCount, std::int32_t{0});
    bag.Write("DelayLoad", delayAnimation_, std::int32_t{1});
    bag.Write("Mirror", data_.MirrorMode, std::int32_t{0});
    bag.Write("MouseIcon", mouseIcon_, Bytes{});
    bag.Write("MousePointer", mousePointer_, std::int16_t{0});
    bag.Write("Enabled", enabled_, true);
    bag.Write("OffsetX", data_.OffsetX, std::int32_t{0});
    bag.Write("OffsetY", data_.OffsetY, std::int32_t{0});
    bag.Write("BkgFill", static_cast<std::int32_t>(data_.SolidBkgColor), std::int32_t{0});
    bag.Write("BkgUsed", data_.SolidBkgColorUsed, false);
    bag.Write("StepDelay", steppedDelay_, std::int32_t{0});
}

void ucAniGIF::ReadProperties(const PropertyBag& bag) {
    data_.GifBytes = bag.Read("GIF", data_.GifBytes);
    // A stored delay below the property's range would let frames flash by; it is clamped too.
    minFrameDelay_ = std::clamp<std::int32_t>(
        bag.Read("Delay", static_cast<std::int16_t>(minFrameDelay_)), 10, 32700);
    stretch_ = static_cast<StretchMode>(InRange(bag.Read("Stretch", std::int32_t{1}), 0, 4, 1));
    const std::int32_t delayLoad = bag.Read("DelayLoad", std::int32_t{1});
    delayAnimation_ = InRange(delayLoad == -1 ? 1 : delayLoad, 0, 3, 1);
    data_.MirrorMode = InRange(bag.Read("Mirror", std::int32_t{0}), 0, 3, 0);
    // Restoring marks nothing: the store already holds these.
    enabled_ = bag.Read("Enabled", true);
    host_.ApplyEnabled(enabled_);
    mouseIcon_ = bag.Read("MouseIcon", Bytes{});
    SetMousePointer(bag.Read("MousePointer", std::int16_t{0}));
    data_.SolidBkgColor = static_cast<std::uint32_t>(bag.Read("BkgFill", std::int32_t{0}));
    data_.SolidBkgColorUsed = bag.Read("BkgUsed", false);
    // A negative delay would arm the timer with a negative interval.
    steppedDelay_ = std::max(bag.Read("StepDelay", std::int32_t{0}), 0);
    data_.OffsetX = bag.Read("OffsetX", std::int32_t{0});
    data_.OffsetY = bag.Read("OffsetY", std::int32_t{0});

    if (LoadGifStream() == 0) return;
    // A count of 0 was not written: the file's own count, just parsed, comes back.
    data_.LoopCount = std::max(bag.Read("Loops", data_.LoopCount), 0);
    loopsLeft_ = data_.LoopCount;
}

void ucAniGIF::SetAnimatedGIF(const std::optional<GifPicture>& aGif) {
    if (host_.IsRunMode()) return;
    if (!aGif) {
        data_.GifBytes = {};
        ResetAnimation();
    } else {
        data_.GifBytes = aGif->Bytes;
        if (LoadGifStream() > 0) {
            const StretchMode kept = stretch_;
            stretch_ = StretchMode::Exact;  // the control takes the image's size
            UserControl_Resize();
            stretch_ = kept;
            data_.ScaleFactorX = data_.ScaleFactorY = 1.0f;
        }
    }
    host_.Repaint();
    host_.PropertyChanged("AnimatedGIF");
}

void ucAniGIF::SetEnabled(bool enabled) {
    enabled_ = enabled;
    host_.ApplyEnabled(enabled);
    host_.PropertyChanged("Enabled");
}

void ucAniGIF::SetMouseIcon(std::vector<std::uint8_t> icon) {
    mouseIcon_ = std::move(icon);
    if (mouseIcon_.empty()) mousePointer_ = 0;
    host_.ApplyCursor(mousePointer_, mouseIcon_);
    host_.PropertyChanged("MouseIcon");
}

void ucAniGIF::SetMousePointer(std::int16_t pointer) {
    mousePointer_ = pointer;
    host_.ApplyCursor(mousePointer_, mouseIcon_);
}

}  // namespace anigif
