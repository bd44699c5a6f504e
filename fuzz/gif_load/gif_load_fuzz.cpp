// Feeds arbitrary bytes to LoadAnimatedGIF_Array, in run mode (all frames at once, and deferred
// through the timer) and in design mode, and to the remote path as a finished download; draws
// every frame of a pass unscaled, at half and at double size, and mirrored, and exports each;
// restores the input as a saved store, and a store holding the input. Any
// crash, sanitizer report or leak is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>

#include "control/offscreen_host.h"
#include "control/uc_ani_gif.h"

namespace {

// Takes the remote path's download so the input can arrive as one.
class FuzzHost : public anigif::OffscreenHost {
  public:
    FuzzHost() {
        client = {37, 23};
        unitsPerPixel = 15;
    }
    bool StartDownload(std::string_view, const std::string&,
                       std::function<void(std::vector<std::uint8_t>)> onBytes,
                       std::function<void()>) override {
        download = std::move(onBytes);
        return true;
    }
    // Runs a few ticks: the deferred build and the first frame changes.
    void Tick(int times) {
        for (int i = 0; i < times && FireTimer(); ++i) {
        }
    }

    std::function<void(std::vector<std::uint8_t>)> download;
};

// Plays one pass by hand, painting each frame, with the control scaled to `scale` times the
// image (kept small enough for a fast run) and mirrored by `mirror`.
void DrawPass(anigif::ucAniGIF& gif, FuzzHost& host, double scale, int mirror) {
    constexpr int kMaxSide = 96;
    constexpr int kMaxFrames = 12;
    // The canvas size, back from the host's container units.
    const std::int64_t width = gif.ActualWidth() / 15, height = gif.ActualHeight() / 15;
    // Averaging a huge canvas down costs time in proportion to its size, not new paths.
    if (width * height > 256 * 256) return;
    host.client = {std::clamp(static_cast<int>(double(width) * scale), 1, kMaxSide),
                   std::clamp(static_cast<int>(double(height) * scale), 1, kMaxSide)};
    gif.SetStretch(2);
    gif.UserControl_Resize();
    gif.SetMirrored(mirror);
    gif.SetAction(0);
    anigif::Surface32 surface(host.client.Width, host.client.Height);
    for (int i = 0; i < std::min(gif.FrameCount(), kMaxFrames); ++i) {
        gif.UserControl_Paint(surface, i % 2 == 0 ? 0u : 0xFF102030u);
        gif.AnimatedGIF();
        gif.SetAction(3);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    FuzzHost host;
    {
        anigif::ucAniGIF gif(host);
        gif.SetDelayAnimation(0);
        if (gif.LoadAnimatedGIF_Array(bytes)) {
            DrawPass(gif, host, 1.0, 0);
            DrawPass(gif, host, 0.5, 1);
            DrawPass(gif, host, 2.0, 2);
        }
        host.Tick(3);
    }
    {
        anigif::ucAniGIF gif(host);
        gif.SetDelayAnimation(1);
        gif.LoadAnimatedGIF_Array(bytes);
        host.Tick(3);
    }
    {
        // The same bytes arriving as a download: header check, then the load.
        anigif::ucAniGIF gif(host);
        gif.LoadAnimatedGIF_Remote("http://127.0.0.1/fuzz.gif");
        auto deliver = std::exchange(host.download, nullptr);
        if (deliver) deliver(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        host.Tick(1);
    }
    {
        // The input as a saved store, and as the image of one.
        anigif::ucAniGIF gif(host);
        gif.ReadProperties(anigif::PropertyBag::Parse(bytes));
        anigif::PropertyBag bag;
        bag.Write("GIF", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        bag.Write("Mirror", std::int32_t{size > 0 ? data[0] % 5 : 0});
        bag.Write("Stretch", std::int32_t{size > 1 ? data[1] % 6 : 1});
        anigif::ucAniGIF restored(host);
        restored.ReadProperties(anigif::PropertyBag::Parse(bag.Serialize()));
        anigif::Surface32 surface(host.client.Width, host.client.Height);
        restored.UserControl_Paint(surface, 0);
        host.Tick(2);
    }
    host.runMode = false;
    {
        anigif::ucAniGIF gif(host);
        if (gif.LoadAnimatedGIF_Array(bytes)) {
            anigif::Surface32 surface(host.client.Width, host.client.Height);
            gif.UserControl_Paint(surface, 0xFF102030u);
        }
    }
    return 0;
}
