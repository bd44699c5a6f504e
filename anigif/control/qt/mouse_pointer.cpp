#include "control/qt/mouse_pointer.h"

#include <QPixmap>

#include <array>

namespace anigif {

QCursor CursorForPointer(std::int16_t pointer, const std::vector<std::uint8_t>& icon) {
    constexpr std::int16_t kCustom = 99;
    if (pointer == kCustom) {
        QPixmap pixmap;
        if (!icon.empty() && pixmap.loadFromData(icon.data(), static_cast<uint>(icon.size())))
            return QCursor(pixmap);
        return QCursor(Qt::ArrowCursor);
    }
    // Arrow, cross, I-beam, icon, size, size NE-SW, N-S, NW-SE, W-E, up arrow, hourglass, no drop,
    // arrow and hourglass, arrow and question mark, size all, hand.
    static constexpr std::array<Qt::CursorShape, 17> kShapes = {
        Qt::ArrowCursor,       Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,       Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor,   Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor,   Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
        Qt::PointingHandCursor};
    if (pointer < 0 || pointer >= std::int16_t(kShapes.size())) return QCursor(Qt::ArrowCursor);
    return QCursor(kShapes[std::size_t(pointer)]);
}

}  // namespace anigif
