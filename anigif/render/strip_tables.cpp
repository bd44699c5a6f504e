#include "render/strip_tables.h"

#include <algorithm>
#include <span>

namespace anigif {

namespace {

// The frame's table, or none when the record names a table the stream did not have.
const ColorTable* TableOf(const AniGifData& d, const FrameRecord& r) {
    if (r.ColorTable < 0 || static_cast<std::size_t>(r.ColorTable) >= d.ColorTables.size())
        return nullptr;
    return &d.ColorTables[static_cast<std::size_t>(r.ColorTable)];
}

std::size_t EntryCount(const ColorTable* t) {
    return t ? std::min<std::size_t>((*t)[kColorTableCountSlot], 256) : 0;
}

}  // namespace

void LoadMaskTable(AniGifData& d, const FrameRecord& r) {
    DibColorTable& mask = d.MaskPalette;
    if (r.HasTransparency == 1) mask[r.TransIndex] = 0xFFFFFF;
    d.Strip.SetColorTable(0, std::span(mask).first(EntryCount(TableOf(d, r))));
    mask[r.TransIndex] = 0;
    d.LastColorTable = -1;
}

void LoadColorTable(AniGifData& d, const FrameRecord& r) {
    const ColorTable* table = TableOf(d, r);
    if (r.HasTransparency != 1 && r.ColorTable == d.LastColorTable) return;
    const std::size_t count = EntryCount(table);
    if (table) d.Strip.SetColorTable(0, std::span(*table).first(count));
    if (r.HasTransparency == 1 && r.TransIndex < count) d.Strip.ColorTable()[r.TransIndex] = 0;
    // With the hole punched in, the strip no longer carries the table as it is.
    d.LastColorTable = r.HasTransparency == 1 ? -1 : r.ColorTable;
}

}  // namespace anigif
