#pragma once

#include <QImage>

#include <optional>

#include "anigif/decode/gif_picture.h"

namespace anigif {

// A picture of the control as a QImage, for Qt callers; a null image when there is none.
QImage ToQImage(const std::optional<GifPicture>& picture);

}  // namespace anigif
