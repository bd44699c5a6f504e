#include <algorithm>

#include "control/uc_ani_gif_state.h"
#include "decode/export_frame_gif.h"

namespace anigif {

namespace {

// The table GetPalette and SetPalette work on: 0 the global one, n frame n's own.
ColorTable* PaletteTable(GifAnimation& a, const GifPlayer& player, std::int32_t frameIndex) {
    if (player.CurrentFrame == 0 || frameIndex < 0) return nullptr;
    std::size_t table = 0;
    if (frameIndex > 0) {
        if (static_cast<std::size_t>(frameIndex) > a.Frames.size()) return nullptr;
        const std::int32_t own = a.Frames[std::size_t(frameIndex - 1)].ColorTable;
        if (own <= 0) return nullptr;
        table = static_cast<std::size_t>(own);
    }
    if (table >= a.ColorTables.size()) return nullptr;
    ColorTable& t = a.ColorTables[table];
    // An image without a global table has an empty table 0.
    return t[kColorTableCountSlot] == 0 ? nullptr : &t;
}

}  // namespace

// A timer tick cannot arrive in the middle of these calls, but a playing animation is still
// paused around them and resumed after, so that its next frame comes a whole interval later.
bool ucAniGIF::PauseIfPlaying() {
    if (state_->player.Action != ActionState::Playing || state_->player.BuildPending) return false;
    Perform(ActionCommand::Pause);
    return true;
}

bool ucAniGIF::GetPalette(std::int32_t FrameIndex, std::vector<std::uint32_t>& paletteEntries) {
    if (state_->player.CurrentFrame == 0 || FrameIndex < 0) return false;
    const bool paused = PauseIfPlaying();
    const ColorTable* table = PaletteTable(state_->animation, state_->player, FrameIndex);
    if (table) {
        const std::uint32_t n = std::min<std::uint32_t>((*table)[kColorTableCountSlot], 256);
        paletteEntries.assign(table->begin(), table->begin() + n);
    }
    if (paused) Perform(ActionCommand::Play);
    return table != nullptr;
}

bool ucAniGIF::SetPalette(std::int32_t FrameIndex, std::span<const std::uint32_t> paletteEntries) {
    if (state_->player.CurrentFrame == 0 || FrameIndex < 0 || paletteEntries.empty()) return false;
    const bool paused = PauseIfPlaying();
    bool changed = false;
    if (ColorTable* found = PaletteTable(state_->animation, state_->player, FrameIndex)) {
        ColorTable& table = *found;
        const std::uint32_t n = std::min<std::uint32_t>(table[kColorTableCountSlot], 256);
        if (paletteEntries.size() >= n) {
            std::copy_n(paletteEntries.begin(), n, table.begin());
            changed = true;
        }
    }
    if (changed) {
        state_->compositor.LastColorTable = -1;
        state_->compositor.ComposedFrame =
            0;  // what the canvas holds is drawn again in the new colours
    }
    if (paused) {
        Perform(ActionCommand::Play);
    } else {
        host_.Repaint();
    }
    return changed;
}

bool ucAniGIF::CacheColorTables() {
    if (state_->cache.Valid) return false;
    state_->cache.Tables = state_->animation.ColorTables;
    state_->cache.LastColorTable = state_->compositor.LastColorTable;
    state_->cache.Valid = true;
    return true;
}

bool ucAniGIF::RestoreColorTables(bool bReleaseCache) {
    if (!state_->cache.Valid) return false;
    state_->animation.ColorTables = state_->cache.Tables;
    state_->compositor.LastColorTable = -1;
    state_->compositor.ComposedFrame = 0;
    if (bReleaseCache) state_->cache = ColorTableCache{};
    return true;
}

std::optional<GifPicture> ucAniGIF::AnimatedGIF() const {
    if (state_->player.CurrentFrame == 0) return std::nullopt;
    return ExportFrameGif(state_->animation, state_->player.CurrentFrame);
}

}  // namespace anigif
