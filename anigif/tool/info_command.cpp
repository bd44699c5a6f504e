#include "tool/info_command.h"

#include <QStringList>

#include "control/offscreen_host.h"
#include "control/uc_ani_gif.h"

namespace anigif {

std::optional<QString> DescribeGif(const QString& file, QString& error) {
    OffscreenHost host;
    ucAniGIF gif(host);
    gif.SetDelayAnimation(0);
    if (!gif.LoadAnimatedGIF_File(file.toStdU16String())) {
        error = QStringLiteral("%1: not a GIF image the control can show").arg(file);
        return std::nullopt;
    }
    const AniGifData& d = gif.Data();
    QStringList frames;
    for (const FrameRecord& r : d.Frames) {
        const auto table = static_cast<std::size_t>(r.ColorTable);
        const std::uint32_t colors =
            table < d.ColorTables.size() ? d.ColorTables[table][kColorTableCountSlot] : 0;
        frames << QStringLiteral(
                      "{\"left\": %1, \"top\": %2, \"width\": %3, \"height\": %4, \"delay_ms\": "
                      "%5, \"disposal\": %6, \"transparent_index\": %7, \"color_table\": %8, "
                      "\"colors\": %9}")
                      .arg(r.Left)
                      .arg(r.Top)
                      .arg(r.Width)
                      .arg(r.Height)
                      .arg(r.DelayMs)
                      .arg(r.Disposal)
                      .arg(r.HasTransparency ? QString::number(r.TransIndex)
                                             : QStringLiteral("null"))
                      .arg(r.ColorTable)
                      .arg(colors);
    }
    return QStringLiteral("{\"width\": %1, \"height\": %2, \"loops\": %3, \"frames\": [%4]}")
        .arg(d.CanvasWidth)
        .arg(d.CanvasHeight)
        .arg(d.LoopCount)
        .arg(frames.join(QStringLiteral(", ")));
}

}  // namespace anigif
