#include <algorithm>

#include "control/uc_ani_gif.h"
#include "decode/export_frame_gif.h"

namespace anigif {

ColorTable* ucAniGIF::PaletteTable(std::int32_t frameIndex) {
    if (player_.CurrentFrame == 0 || frameIndex < 0) return nullptr;
    std::size_t table = 0;
    if (frameIndex > 0) {
        if (static_cast<std::size_t>(frameIndex) > animation_.Frames.size()) return nullptr;
        const std::int32_t own = animation_.Frames[std::size_t(frameIndex - 1)].ColorTable;
        if (own <= 0) return nullptr;
        table = static_cast<std::size_t>(own);
    }
    if (table >= animation_.ColorTables.size()) return nullptr;
    ColorTable& t = animation_.ColorTables[table];
    // An image without a global table has an empty table 0.
    return t[kColorTableCountSlot] == 0 ? nullptr : &t;
}

// A timer tick cannot arrive in the middle of these calls, but a playing animation is still
// paused around them and resumed after, so that its next frame comes a whole interval later.
bool ucAniGIF::PauseIfPlaying() {
    if (player_.Action != ActionState::Playing || player_.BuildPending) return false;
    Act(ActionCommand::Pause);
    return true;
}

bool ucAniGIF::GetPalette(std::int32_t FrameIndex, std::vector<std::uint32_t>& paletteEntries) {
    if (player_.CurrentFrame == 0 || FrameIndex < 0) return false;
    const bool paused = PauseIfPlaying();
    const ColorTable* table = PaletteTable(FrameIndex);
    if (table) {
        const std::uint32_t n = std::min<std::uint32_t>((*table)[kColorTableCountSlot], 256);
        paletteEntries.assign(table->begin(), table->begin() + n);
    }
    if (paused) Act(ActionCommand::Play);
    return table != nullptr;
}

bool ucAniGIF::SetPalette(std::int32_t FrameIndex, std::span<const std::uint32_t> paletteEntries) {
    if (player_.CurrentFrame == 0 || FrameIndex < 0 || paletteEntries.empty()) return false;
    const bool paused = PauseIfPlaying();
    bool changed = false;
    if (ColorTable* found = PaletteTable(FrameIndex)) {
        ColorTable& table = *found;
        const std::uint32_t n = std::min<std::uint32_t>(table[kColorTableCountSlot], 256);
        if (paletteEntries.size() >= n) {
            std::copy_n(paletteEntries.begin(), n, table.begin());
            changed = true;
        }
    }
    if (changed) {
        compositor_.LastColorTable = -1;
        compositor_.ComposedFrame = 0;  // what the canvas holds is drawn again in the new colours
    }
    if (paused) {
        Act(ActionCommand::Play);
    } else {
        host_.Repaint();
    }
    return changed;
}

bool ucAniGIF::CacheColorTables() {
    if (cache_.Valid) return false;
    cache_.Tables = animation_.ColorTables;
    cache_.LastColorTable = compositor_.LastColorTable;
    cache_.Valid = true;
    return true;
}

bool ucAniGIF::RestoreColorTables(bool bReleaseCache) {
    if (!cache_.Valid) return false;
    animation_.ColorTables = cache_.Tables;
    compositor_.LastColorTable = -1;
    compositor_.ComposedFrame = 0;
    if (bReleaseCache) cache_ = ColorTableCache{};
    return true;
}

std::optional<GifPicture> ucAniGIF::AnimatedGIF() const {
    if (player_.CurrentFrame == 0) return std::nullopt;
    return ExportFrameGif(animation_, player_.CurrentFrame);
}

}  // namespace anigif
