#include "control_player.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr std::uint32_t kBackground = 0xF0F0F0;  // a window's face colour

}  // namespace

ControlPlayer::ControlPlayer(const std::vector<std::uint8_t>& bytes, double scale) {
    gif_.SetStretch(2);
    gif_.SetDelayAnimation(0);
    const int width = bytes[6] | bytes[7] << 8;
    const int height = bytes[8] | bytes[9] << 8;
    host_.client = {static_cast<std::int32_t>(std::lround(width * scale)),
                    static_cast<std::int32_t>(std::lround(height * scale))};
    if (!gif_.LoadAnimatedGIF_Array(bytes) || gif_.Action() != 1) std::abort();
    surface_ = anigif::Surface32(host_.client.Width, host_.client.Height, kBackground);
}

void ControlPlayer::Step() {
    if (!host_.Fire()) std::abort();
    surface_.Fill(kBackground);
    gif_.UserControl_Paint(surface_);
}

std::string ControlPlayer::Path() const {
    const anigif::AniGifData& d = gif_.Data();
    if (d.Canvas.Empty()) return "straight from the strip";
    return d.Mask.Empty() ? "canvas, no mask" : "canvas with mask";
}

std::uint64_t ControlPlayer::HeldBytes() const {
    const anigif::AniGifData& d = gif_.Data();
    std::uint64_t bytes = d.Canvas.Bits().size() + d.Mask.Bits().size();
    bytes += d.SavedCanvas.capacity() * sizeof(std::uint32_t) + d.SavedMask.capacity();
    for (std::size_t i = 0; i < d.Strip.ColumnCount(); ++i)
        bytes += std::uint64_t(d.Strip.ColumnWidth(i)) * std::uint64_t(d.Strip.ColumnHeight(i));
    return bytes;
}
