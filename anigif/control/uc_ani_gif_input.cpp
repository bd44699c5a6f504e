#include <cmath>

#include "control/uc_ani_gif_state.h"

namespace anigif {

void ucAniGIF::RaiseMouse(const MouseEvent& event, std::int16_t button, std::int16_t shift,
                          double x, double y) {
    if (!event) return;
    // Container units, taken down to the next lower whole number.
    float cx = static_cast<float>(std::floor(host_.PixelsToContainerX(x)));
    float cy = static_cast<float>(std::floor(host_.PixelsToContainerY(y)));
    event(button, shift, cx, cy);
}

void ucAniGIF::UserControl_MouseDown(std::int16_t button, std::int16_t shift, double x, double y) {
    RaiseMouse(MouseDown, button, shift, x, y);
}

void ucAniGIF::UserControl_MouseMove(std::int16_t button, std::int16_t shift, double x, double y) {
    RaiseMouse(MouseMove, button, shift, x, y);
}

void ucAniGIF::UserControl_MouseUp(std::int16_t button, std::int16_t shift, double x, double y) {
    RaiseMouse(MouseUp, button, shift, x, y);
}

void ucAniGIF::UserControl_Click() {
    if (Click) Click();
}

}  // namespace anigif
