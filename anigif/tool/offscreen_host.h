#pragma once

#include "control/ani_gif_host.h"

namespace anigif {

// A host without a window: the control draws only when asked, its timer never fires (the caller
// steps frames itself), and nothing is downloaded. Sizes are in pixels, one unit each.
class OffscreenHost : public AniGifHost {
  public:
    PixelSize client;
    bool runMode = true;

    PixelSize ClientSize() const override { return client; }
    double PixelsToContainerX(double px) const override { return px; }
    double PixelsToContainerY(double px) const override { return px; }
    bool IsRunMode() const override { return runMode; }
    void Repaint() override {}
    void ResizeClient(std::int32_t w, std::int32_t h) override { client = {w, h}; }
    bool StartDownload(const std::string&, std::function<void(std::vector<std::uint8_t>)>,
                       std::function<void()>) override {
        return false;
    }
    void CancelDownload() override {}
    bool StartTimer(std::int32_t, std::function<void()>) override { return true; }
    void StopTimer() override {}
};

}  // namespace anigif
