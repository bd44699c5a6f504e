#include "tool/frames_command.h"

#include <QDir>

#include "control/offscreen_host.h"
#include "control/read_whole_file.h"
#include "control/uc_ani_gif.h"
#include "decode/parse_gif_stream.h"
#include "tool/frame_png.h"

namespace anigif {

namespace {

// A store is an image plus a few numbers.
constexpr std::size_t kMaxStoreBytes = kMaxGifStreamBytes;

}  // namespace

std::optional<QString> WriteFramePngs(const FramesRequest& request) {
    OffscreenHost host;
    ucAniGIF gif(host);
    gif.SetDelayAnimation(0);  // every frame built before the first is drawn
    if (request.store.isEmpty()) gif.SetMirrored(request.mirror);
    if (request.stretch) gif.SetStretch(*request.stretch);
    if (request.width) host.client = {*request.width, *request.height};

    if (!request.store.isEmpty()) {
        const std::vector<std::uint8_t> bytes =
            ReadWholeFile(request.store.toStdU16String(), kMaxStoreBytes);
        gif.ReadProperties(PropertyBag::Parse(bytes));
        if (gif.FrameCount() == 0)
            return QStringLiteral("%1: holds no GIF image the control can show").arg(request.store);
    } else if (!gif.LoadAnimatedGIF_File(request.file.toStdU16String())) {
        return QStringLiteral("%1: not a GIF image the control can show").arg(request.file);
    }
    if (!request.width) {
        // The host works in pixels: the actual size is the canvas's.
        host.client = {gif.ActualWidth(), gif.ActualHeight()};
        gif.UserControl_Resize();
    }
    if (std::int64_t{host.client.Width} * host.client.Height > kMaxPicturePixels) {
        return QStringLiteral("%1: %2 x %3 pixels is too large to draw; give a smaller --size")
            .arg(request.file.isEmpty() ? request.store : request.file)
            .arg(host.client.Width)
            .arg(host.client.Height);
    }
    if (host.client.Width <= 0 || host.client.Height <= 0)
        return QStringLiteral("the control has no pixels to draw at this size");
    if (!QDir().mkpath(request.outDir)) {
        return QStringLiteral("%1: cannot create the folder").arg(request.outDir);
    }
    const std::int32_t frames = gif.FrameCount();
    gif.SetAction(2);  // stepped by hand from here
    Surface32 surface;
    for (std::int32_t n = 1; n <= frames; ++n) {
        if (n > 1) gif.SetAction(3);
        const QImage image = RenderToImage(
            surface, host.client.Width, host.client.Height, request.background,
            [&gif](Surface32& s, std::uint32_t under) { gif.UserControl_Paint(s, under); });
        const QString path = QDir(request.outDir).filePath(QStringLiteral("%1.png").arg(n));
        if (!image.save(path, "PNG")) return QStringLiteral("%1: cannot write").arg(path);
    }
    return std::nullopt;
}

}  // namespace anigif
