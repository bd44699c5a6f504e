#include "render/frame_colors.h"

#include <algorithm>

namespace anigif {

const DibColorTable& FrameColors(const GifAnimation& a, Compositor& c, const FrameRecord& r) {
    const std::int32_t trans = r.HasTransparency == 1 ? r.TransIndex : -1;
    if (c.LastColorTable == r.ColorTable && c.LastColorTable >= 0 && c.LastTransIndex == trans)
        return c.Colors;
    const ColorTable* table = TableOf(a, r);
    const std::size_t count =
        table ? std::min<std::size_t>((*table)[kColorTableCountSlot], 256) : 0;
    for (std::size_t i = 0; i < c.Colors.size(); ++i)
        c.Colors[i] = 0xFF000000u | (i < count ? (*table)[i] & 0xFFFFFFu : 0u);
    if (trans >= 0) c.Colors[static_cast<std::size_t>(trans)] = 0;
    c.LastColorTable = table ? r.ColorTable : -1;
    c.LastTransIndex = trans;
    return c.Colors;
}

}  // namespace anigif
