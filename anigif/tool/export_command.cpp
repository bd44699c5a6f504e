#include "tool/export_command.h"

#include <QFile>
#include <QSaveFile>

#include "control/offscreen_host.h"
#include "control/uc_ani_gif.h"

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
    // Written whole or not at all: a half-written file is not left under the name asked for.
    QSaveFile out(outFile);
    const auto* bytes = reinterpret_cast<const char*>(picture->Bytes.data());
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(bytes, qint64(picture->Bytes.size())) != qint64(picture->Bytes.size()) ||
        !out.commit())
        return QStringLiteral("%1: cannot write (%2)").arg(outFile, out.errorString());
    return std::nullopt;
}

}  // namespace anigif
