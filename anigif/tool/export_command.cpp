#include "tool/export_command.h"

#include <QFile>
#include "control/offscreen_host.h"
#include "control/uc_ani_gif.h"
#include "tool/write_whole_file.h"

namespace anigif {

std::optional<QString> ExportFrame(const QString& file, std::int32_t frame, std::int32_t mirror,
                                   const QString& outFile) {
    OffscreenHost host;
    ucAniGIF gif(host);
    gif.SetDelayAnimation(0);
    gif.SetMirrored(mirror);
    if (!gif.LoadAnimatedGIF_File(file.toStdU16String()))
        return QStringLiteral("%1: not a GIF image the control can show").arg(file);
    if (frame < 1 || frame > gif.FrameCount()) {
        return QStringLiteral("%1 has %2 frames; there is no frame %3")
            .arg(file)
            .arg(gif.FrameCount())
            .arg(frame);
    }
    gif.SetAction(0);
    while (gif.CurrentFrame() != frame) gif.SetAction(3);
    const std::optional<GifPicture> picture = gif.AnimatedGIF();
    if (!picture) return QStringLiteral("frame %1 has no pixels to export").arg(frame);
    return WriteWholeFile(outFile, picture->Bytes);
}

}  // namespace anigif
