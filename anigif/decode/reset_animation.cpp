#include "decode/reset_animation.h"

namespace anigif {

void ResetAnimation(AniGifData& d) {
    d.Frames = {};
    d.CurrentFrame = 0;
    d.ReadPos = 0;
    d.ReadBuffer = {};
    d.Strip = {};
    d.FramesBuilt = 0;
    d.Canvas = {};
    d.Mask = {};
    d.ComposedFrame = 0;
    d.SavedCanvas = {};
    d.SavedMask = {};
    d.ColorTables = {};
    d.ColorTableCache = {};
    d.ColorTableCacheValid = false;
    d.FrameSpans = {};
    d.FrameGifBuffer = {};
    d.LastColorTable = 0;  // the parser counts local tables from here
}

}  // namespace anigif
