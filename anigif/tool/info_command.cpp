#include "tool/info_command.h"

#include "control/read_whole_file.h"
#include "decode/build_frames.h"
#include "decode/parse_gif_stream.h"

namespace anigif {

std::optional<QString> DescribeGif(const QString& file, std::FILE* out) {
    const std::vector<std::uint8_t> bytes =
        ReadWholeFile(file.toStdU16String(), kMaxGifStreamBytes);
    ParsedGif parsed = ParseGifStream(bytes);
    GifAnimation& a = parsed.Animation;
    // The control's own test of a stream it can show, without building a frame.
    const FrameSource source{bytes, std::move(parsed.FrameSpans)};
    if (a.Frames.empty() || !PlanFirstPass(a, source, false))
        return QStringLiteral("%1: not a GIF image the control can show").arg(file);
    std::fprintf(out, "{\"width\": %d, \"height\": %d, \"loops\": %d, \"frames\": [", a.CanvasWidth,
                 a.CanvasHeight, a.LoopCount);
    for (std::size_t i = 0; i < a.Frames.size(); ++i) {
        const FrameRecord& r = a.Frames[i];
        const ColorTable* table = TableOf(a, r);
        std::fprintf(out,
                     "%s{\"left\": %d, \"top\": %d, \"width\": %d, \"height\": %d, \"delay_ms\": "
                     "%d, \"disposal\": %d, \"transparent_index\": ",
                     i == 0 ? "" : ", ", r.Left, r.Top, r.Width, r.Height, r.DelayMs, r.Disposal);
        if (r.HasTransparency) {
            std::fprintf(out, "%d", r.TransIndex);
        } else {
            std::fputs("null", out);
        }
        std::fprintf(out, ", \"color_table\": %d, \"colors\": %u}", r.ColorTable,
                     table ? (*table)[kColorTableCountSlot] : 0u);
    }
    std::fputs("]}\n", out);
    return std::nullopt;
}

}  // namespace anigif
