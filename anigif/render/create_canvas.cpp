#include "render/create_canvas.h"

namespace anigif {

bool CreateCanvas(Compositor& c, std::int32_t width, std::int32_t height, bool withMask) {
    std::optional<Dib24> canvas = Dib24::Create(width, height);
    if (!canvas) return false;
    std::optional<Dib1> mask;
    if (withMask) {
        mask = Dib1::Create(width, height);
        if (!mask) return false;
    }
    c.Canvas = std::move(*canvas);
    c.Mask = mask ? std::move(*mask) : Dib1{};
    return true;
}

}  // namespace anigif
