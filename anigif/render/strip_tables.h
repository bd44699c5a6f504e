#pragma once

#include "decode/ani_gif_data.h"

namespace anigif {

// The strip has one colour table; these load into it what the next copy of frame r needs.

// For a mask pass: black everywhere but white at r's transparent index (when it has one), as many
// entries as r's colour table has. LastColorTable becomes -1.
void LoadMaskTable(AniGifData& d, const FrameRecord& r);

// r's colour table, with its transparent index black when r has one (the colour pass ORs over a
// cleared hole). Without transparency it is loaded only when it is not already there.
void LoadColorTable(AniGifData& d, const FrameRecord& r);

}  // namespace anigif
