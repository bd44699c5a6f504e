#pragma once

#include "app/icons/animation.h"

namespace icons {

// The main window's three animations, drawn here pixel by pixel for its light blue skin.

// 16 x 16: a speech bubble whose three dots bounce in turn, as someone typing.
Animation FeedbackBubble();
// 16 x 16: a little house, smoke rising from its chimney.
Animation HomeHouse();
// 20 x 20: a ring of eight dots, a dark one running round with a fading tail.
Animation BusySpinner();

}  // namespace icons
