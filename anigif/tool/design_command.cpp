#include "tool/design_command.h"

#include "control/offscreen_host.h"
#include "control/read_whole_file.h"
#include "control/uc_ani_gif.h"
#include "decode/parse_gif_stream.h"
#include "tool/write_whole_file.h"

namespace anigif {

std::optional<QString> SaveDesign(const DesignRequest& r) {
    OffscreenHost host;
    host.runMode = false;
    ucAniGIF gif(host);
    GifPicture picture;
    picture.Bytes = ReadWholeFile(r.file.toStdU16String(), kMaxGifStreamBytes);
    gif.SetAnimatedGIF(picture);
    if (gif.FrameCount() == 0)
        return QStringLiteral("%1: not a GIF image the control can show").arg(r.file);
    if (r.stretch) gif.SetStretch(*r.stretch);
    if (r.loops) gif.SetLoops(*r.loops);
    if (r.delay) gif.SetMinFrameDelay(*r.delay);
    if (r.mirror) gif.SetMirrored(*r.mirror);
    if (r.delayLoad) gif.SetDelayAnimation(*r.delayLoad);
    if (r.steppedDelay) gif.SetSteppedDelay(*r.steppedDelay);
    if (r.offsetX) gif.SetOffsetX(*r.offsetX);
    if (r.offsetY) gif.SetOffsetY(*r.offsetY);
    if (r.background) {
        // The property takes red + green * 256 + blue * 65536.
        const std::uint32_t c = *r.background;
        gif.SetSolidBkgColor((c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16);
        gif.SetSolidBkgColorUsed(true);
    }
    PropertyBag bag;
    gif.WriteProperties(bag);
    return WriteWholeFile(r.store, bag.Serialize());
}

}  // namespace anigif
