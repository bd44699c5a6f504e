#include "animation_writer.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>

namespace {

int WriteToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

void Check(int result, const char* what) {
    if (result == GIF_ERROR) throw std::runtime_error(what);
}

// A picture with smooth areas, edges and a band of noise: compresses like real content.
std::uint8_t Pixel(int frame, int x, int y, int width, int height, std::uint32_t& noise) {
    const int cx = (frame * 7) % width;
    const int dx = x - cx;
    const int dy = y - height / 2;
    if (dx * dx + dy * dy < 2500) return 0;  // a disc (transparent when index 0 is) moving across
    const int band = height * 2 / 3;
    if (y > band && y < band + 32) {
        noise = noise * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(1 + (noise >> 24) % 255);
    }
    return static_cast<std::uint8_t>(1 + ((x / 3 + y / 5 + frame) % 255));
}

}  // namespace

std::vector<std::uint8_t> WriteBenchAnimation(int frames, int width, int height,
                                              AnimationKind kind) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
    if (!gif) throw std::runtime_error("EGifOpen");
    EGifSetGifVersion(gif, true);
    Check(EGifPutScreenDesc(gif, width, height, 8, 0, nullptr), "screen");

    unsigned char loop[] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "app");
    Check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "app id");
    Check(EGifPutExtensionBlock(gif, 3, loop), "loop");
    Check(EGifPutExtensionTrailer(gif), "app end");

    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(256, nullptr),
                                                                   GifFreeMapObject);
    std::vector<GifPixelType> row(static_cast<std::size_t>(width));
    std::uint32_t noise = 12345;
    for (int f = 0; f < frames; ++f) {
        for (int i = 0; i < 256; ++i) {
            map->Colors[i] = {static_cast<GifByteType>(i + f), static_cast<GifByteType>(i * 3),
                              static_cast<GifByteType>(255 - i)};
        }
        const int transparent = kind == AnimationKind::Transparent ? 0 : NO_TRANSPARENT_COLOR;
        GraphicsControlBlock gcb{DISPOSE_DO_NOT, false, 4, transparent};
        GifByteType ext[4];
        const size_t n = EGifGCBToExtension(&gcb, ext);
        Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext), "gce");
        Check(EGifPutImageDesc(gif, 0, 0, width, height, false, map.get()), "image");
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                row[static_cast<std::size_t>(x)] = Pixel(f, x, y, width, height, noise);
            Check(EGifPutLine(gif, row.data(), width), "line");
        }
    }
    Check(EGifCloseFile(gif, &error), "close");
    return out;
}
