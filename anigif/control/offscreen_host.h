#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "anigif/control/ani_gif_host.h"

namespace anigif {

// A host without a window, for tools and measurements: the control draws only when asked and
// nothing is downloaded. Its timer never fires by itself; whoever drives the control fires the
// armed tick (FireTimer) or steps frames with the Action commands.
class OffscreenHost : public AniGifHost {
  public:
    PixelSize client;
    bool runMode = true;
    double unitsPerPixel = 1;  // container units per pixel

    PixelSize ClientSize() const override { return client; }
    double PixelsToContainerX(double px) const override { return px * unitsPerPixel; }
    double PixelsToContainerY(double px) const override { return px * unitsPerPixel; }
    bool IsRunMode() const override { return runMode; }
    void Repaint() override {}
    void ResizeClient(std::int32_t w, std::int32_t h) override { client = {w, h}; }
    bool StartDownload(std::string_view, const std::string&,
                       std::function<void(std::vector<std::uint8_t>)>,
                       std::function<void()>) override {
        return false;
    }
    void CancelDownload() override {}
    bool StartTimer(std::int32_t, std::function<void()> onTick) override {
        tick_ = std::move(onTick);
        return true;
    }
    void StopTimer() override { tick_ = nullptr; }
    std::int64_t ClockMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    // Runs the armed tick; false when no timer is armed.
    bool FireTimer() {
        if (!tick_) return false;
        const std::function<void()> tick = tick_;  // the tick may re-arm, replacing tick_
        tick();
        return true;
    }

  private:
    std::function<void()> tick_;
};

}  // namespace anigif
