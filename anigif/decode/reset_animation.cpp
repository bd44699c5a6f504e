#include "decode/reset_animation.h"

namespace anigif {

void ResetAnimation(AniGifData& d) {
    d.Frames = {};
    d.CurrentFrame = 0;
    d.ReadPos = 0;
    d.ReadBuffer = {};
    d.Strip = {};
    d.Canvas = {};
    d.Mask = {};
    d.ColorTables = {};
    d.MaskPalette.reset();
    d.FrameSpans = {};
    d.FrameGifBuffer = {};
    d.LastColorTable = 0;
    // A deferred build cut short by this reset must not leave frame 1 of the next load unflipped.
    d.FirstFrameMirrored = false;
}

}  // namespace anigif
