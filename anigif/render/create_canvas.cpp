#include "render/create_canvas.h"

namespace anigif {

bool CreateCanvas(AniGifData& d, bool withMask) {
    std::optional<Dib24> canvas = Dib24::Create(d.CanvasWidth, d.CanvasHeight);
    if (!canvas) return false;
    std::optional<Dib1> mask;
    if (withMask) {
        mask = Dib1::Create(d.CanvasWidth, d.CanvasHeight);
        if (!mask) return false;
    }
    d.Canvas = std::move(*canvas);
    d.Mask = mask ? std::move(*mask) : Dib1{};
    return true;
}

}  // namespace anigif
