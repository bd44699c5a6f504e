#include <algorithm>

#include "control/uc_ani_gif.h"
#include "decode/export_frame_gif.h"

namespace anigif {

ColorTable* ucAniGIF::PaletteTable(std::int32_t frameIndex) {
    if (data_.CurrentFrame == 0 || frameIndex < 0) return nullptr;
    std::size_t table = 0;
    if (frameIndex > 0) {
        if (static_cast<std::size_t>(frameIndex) > data_.Frames.size()) return nullptr;
        const std::int32_t own = data_.Frames[std::size_t(frameIndex - 1)].ColorTable;
        if (own <= 0) return nullptr;
        table = static_cast<std::size_t>(own);
    }
    if (table >= data_.ColorTables.size()) return nullptr;
    ColorTable& t = data_.ColorTables[table];
    // An image without a global table has an empty table 0.
    return t[kColorTableCountSlot] == 0 ? nullptr : &t;
}

// A timer tick cannot arrive in the middle of these calls, but a playing animation is still
// paused around them and resumed after, so that its next frame comes a whole interval later.
bool ucAniGIF::PauseIfPlaying() {
    if (actionState_ != 1 || buildPending_) return false;
    SetAction(2);
    return true;
}

bool ucAniGIF::GetPalette(std::int32_t FrameIndex, std::vector<std::uint32_t>& paletteEntries) {
    if (data_.CurrentFrame == 0 || FrameIndex < 0) return false;
    const bool paused = PauseIfPlaying();
    const ColorTable* table = PaletteTable(FrameIndex);
    if (table) {
        const std::uint32_t n = std::min<std::uint32_t>((*table)[kColorTableCountSlot], 256);
        paletteEntries.assign(table->begin(), table->begin() + n);
    }
    if (paused) SetAction(1);
    return table != nullptr;
}

bool ucAniGIF::SetPalette(std::int32_t FrameIndex, std::span<const std::uint32_t> paletteEntries) {
    if (data_.CurrentFrame == 0 || FrameIndex < 0 || paletteEntries.empty()) return false;
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
        data_.LastColorTable = -1;
        data_.ComposedFrame = 0;  // what the canvas holds is drawn again in the new colours
    }
    if (paused) {
        SetAction(1);
    } else {
        host_.Repaint();
    }
    return changed;
}

bool ucAniGIF::CacheColorTables() {
    if (data_.ColorTableCacheValid) return false;
    data_.ColorTableCache = data_.ColorTables;
    data_.ColorTableCacheLast = data_.LastColorTable;
    data_.ColorTableCacheValid = true;
    return true;
}

bool ucAniGIF::RestoreColorTables(bool bReleaseCache) {
    if (!data_.ColorTableCacheValid) return false;
    data_.ColorTables = data_.ColorTableCache;
    data_.LastColorTable = -1;
    data_.ComposedFrame = 0;
    if (bReleaseCache) {
        data_.ColorTableCache = {};
        data_.ColorTableCacheValid = false;
    }
    return true;
}

std::optional<GifPicture> ucAniGIF::AnimatedGIF() const {
    if (data_.CurrentFrame == 0) return std::nullopt;
    return ExportFrameGif(data_, data_.CurrentFrame);
}

}  // namespace anigif
