#include <algorithm>

#include "control/uc_ani_gif_state.h"

namespace anigif {

namespace {

using Bytes = std::vector<std::uint8_t>;

PropertyBag::Value Stored(StoredType type, std::int64_t v) {
    switch (type) {
        case StoredType::Int16:
            return static_cast<std::int16_t>(v);
        case StoredType::Bool:
            return v != 0;
        default:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    }
}

void WriteValue(PropertyBag& bag, Property p, std::int64_t v) {
    const PropertySpec& s = SpecOf(p);
    bag.Write(s.Key, Stored(s.Stored, v), Stored(s.Stored, s.Default));
}

// The stored value by the property's rule; `fallback` when it is missing or would be refused.
std::int64_t ReadValue(const PropertyBag& bag, Property p, std::int64_t fallback) {
    const PropertySpec& s = SpecOf(p);
    std::int64_t v = 0;
    switch (s.Stored) {
        case StoredType::Int16:
            v = bag.Read(s.Key, static_cast<std::int16_t>(fallback));
            break;
        case StoredType::Bool:
            v = bag.Read(s.Key, fallback != 0);
            break;
        default:
            v = bag.Read(s.Key, static_cast<std::int32_t>(fallback));
    }
    return ApplyRange(p, v).value_or(fallback);
}

}  // namespace

void ucAniGIF::WriteProperties(PropertyBag& bag) const {
    // The image always, even empty; the rest only when not at its default.
#define ANIGIF_WRITE_VALUE(Name, ...) WriteValue(bag, Property::Name, Name());
#define ANIGIF_WRITE_BYTES(Name, Mark, Key)                                                        \
    bag.Write(Key, Property::Name == Property::AnimatedGIF ? state_->gifBytes : state_->mouseIcon, \
              Property::Name == Property::AnimatedGIF                                              \
                  ? std::nullopt                                                                   \
                  : std::optional<PropertyBag::Value>(Bytes{}));
    ANIGIF_PROPERTY_TABLE(ANIGIF_WRITE_VALUE, ANIGIF_WRITE_BYTES)
#undef ANIGIF_WRITE_VALUE
#undef ANIGIF_WRITE_BYTES
}

void ucAniGIF::ReadProperties(const PropertyBag& bag) {
    Bytes image = bag.Read(SpecOf(Property::AnimatedGIF).Key, state_->gifBytes);
    // Restoring marks nothing: the store already holds these. The loop count comes with the
    // image, below; the icon goes before the pointer, which an empty icon resets.
    state_->restoring = true;
    SetMouseIcon(bag.Read(SpecOf(Property::MouseIcon).Key, Bytes{}));
#define ANIGIF_READ_VALUE(Name, Type, ...) \
    if (Property::Name != Property::Loops) \
        Set##Name(                         \
            static_cast<Type>(ReadValue(bag, Property::Name, SpecOf(Property::Name).Default)));
#define ANIGIF_READ_BYTES(...)
    ANIGIF_PROPERTY_TABLE(ANIGIF_READ_VALUE, ANIGIF_READ_BYTES)
#undef ANIGIF_READ_VALUE
#undef ANIGIF_READ_BYTES
    state_->restoring = false;

    if (LoadGifStream(std::move(image)) == 0) return;
    // A count of 0 was not written: the file's own count, just parsed, comes back.
    state_->animation.LoopCount =
        static_cast<std::int32_t>(ReadValue(bag, Property::Loops, state_->animation.LoopCount));
    state_->player.LoopsLeft = state_->animation.LoopCount;
}

void ucAniGIF::SetAnimatedGIF(const std::optional<GifPicture>& aGif) {
    if (host_.IsRunMode()) return;
    if (!aGif) {
        FailLoad();
    } else if (LoadGifStream(aGif->Bytes) > 0) {
        const StretchMode kept = state_->stretch;
        state_->stretch = StretchMode::Exact;  // the control takes the image's size
        UserControl_Resize();
        state_->stretch = kept;
        state_->view.ScaleFactorX = state_->view.ScaleFactorY = 1.0f;
    }
    host_.Repaint();
    MarkChanged(Property::AnimatedGIF);
}

void ucAniGIF::SetEnabled(bool Enable) {
    state_->enabled = Enable;
    host_.ApplyEnabled(Enable);
    MarkChanged(Property::Enabled);
}

void ucAniGIF::SetMouseIcon(std::vector<std::uint8_t> MousePic) {
    state_->mouseIcon = std::move(MousePic);
    if (state_->mouseIcon.empty()) state_->mousePointer = 0;
    host_.ApplyCursor(state_->mousePointer, state_->mouseIcon);
    MarkChanged(Property::MouseIcon);
}

void ucAniGIF::SetMousePointer(std::int16_t Pointer) {
    state_->mousePointer = Pointer;
    host_.ApplyCursor(state_->mousePointer, state_->mouseIcon);
}

}  // namespace anigif
