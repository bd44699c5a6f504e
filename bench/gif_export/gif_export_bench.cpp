// Exporting one large frame from the control as a GIF (our LZW encoder reading the strip) against
// giflib encoding the same pixels with EGifPutScreenDesc / EGifPutLine into memory, at several
// frame sizes: time and file size, and the ratios of both.
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "control/offscreen_host.h"
#include "control/uc_ani_gif.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A photograph-like mix: smooth gradients and rings with a little noise, in 256 levels.
Bytes VariedPixels(int width, int height) {
    Bytes px(std::size_t(width) * std::size_t(height));
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const double r = std::hypot(x - width / 3.0, y - height / 2.0);
            const double v = 96 + 60 * std::sin(r / 9.0) + 40.0 * x / width + 30.0 * y / height +
                             double(noise >> 29);
            px[std::size_t(y) * width + x] = std::uint8_t(std::clamp(v, 0.0, 255.0));
        }
    }
    return px;
}

int WriteBytes(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

Bytes GiflibEncode(const Bytes& pixels, int width, int height) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteBytes, &error);
    GifColorType colors[256];
    for (int i = 0; i < 256; ++i)
        colors[i] = {GifByteType(i), GifByteType(255 - i), GifByteType(i)};
    ColorMapObject* map = GifMakeMapObject(256, colors);
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
        std::abort();
    for (int y = 0; y < height; ++y) {
        auto* row = const_cast<GifPixelType*>(pixels.data() + std::size_t(y) * width);
        if (EGifPutLine(gif, row, width) == GIF_ERROR) std::abort();
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

double ElapsedMs(const std::function<void()>& run) {
    const auto t0 = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("%-11s %12s %12s %12s %12s %9s %9s\n", "frame", "giflib ms", "export ms",
                "giflib B", "export B", "time", "size");
    for (const int side : {250, 500, 1000, 2000}) {
        const Bytes pixels = VariedPixels(side, side);
        // The control holds the frame after loading a GIF of it (made by giflib, as any would do).
        const Bytes file = GiflibEncode(pixels, side, side);
        anigif::OffscreenHost host;
        anigif::ucAniGIF gif(host);
        if (!gif.LoadAnimatedGIF_Array(file)) std::abort();

        std::size_t giflibBytes = 0, exportBytes = 0;
        std::vector<double> giflibRuns, exportRuns;
        for (int i = 0; i < reps; ++i) {  // alternating, so a busy moment hits both alike
            giflibRuns.push_back(
                ElapsedMs([&] { giflibBytes = GiflibEncode(pixels, side, side).size(); }));
            exportRuns.push_back(ElapsedMs([&] { exportBytes = gif.AnimatedGIF()->Bytes.size(); }));
        }
        const double g = Median(giflibRuns), e = Median(exportRuns);
        std::printf("%4dx%-6d %12.2f %12.2f %12zu %12zu %9.3f %9.4f\n", side, side, g, e,
                    giflibBytes, exportBytes, e / g, double(exportBytes) / double(giflibBytes));
    }
    std::printf(
        "time = export / giflib (target <= 1.0), size = export / giflib (target <= 1.02)\n");
    return 0;
}
