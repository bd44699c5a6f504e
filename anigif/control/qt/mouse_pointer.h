#pragma once

#include <QCursor>

#include <cstdint>
#include <vector>

namespace anigif {

// The cursor for a mouse pointer number: 0 the default, 99 the custom icon (an image file's
// bytes; the default when it cannot be read), the others the nearest standard shape.
QCursor CursorForPointer(std::int16_t pointer, const std::vector<std::uint8_t>& icon);

}  // namespace anigif
