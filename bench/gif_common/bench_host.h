#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "control/ani_gif_host.h"

// A host without a window whose timer the benchmark fires by hand, one tick per call.
class BenchHost : public anigif::AniGifHost {
  public:
    anigif::PixelSize client{400, 300};

    anigif::PixelSize ClientSize() const override { return client; }
    double PixelsToContainerX(double px) const override { return px * 15; }
    double PixelsToContainerY(double px) const override { return px * 15; }
    bool IsRunMode() const override { return true; }
    void Repaint() override {}
    void ResizeClient(std::int32_t w, std::int32_t h) override { client = {w, h}; }
    bool StartDownload(const std::string&, std::function<void(std::vector<std::uint8_t>)>,
                       std::function<void()>) override {
        return false;
    }
    void CancelDownload() override {}
    bool StartTimer(std::int32_t, std::function<void()> onTick) override {
        tick_ = std::move(onTick);
        return true;
    }
    void StopTimer() override { tick_ = nullptr; }

    // Runs the armed tick; false when no timer is armed.
    bool Fire() {
        if (!tick_) return false;
        const std::function<void()> tick = tick_;  // the tick re-arms, replacing tick_
        tick();
        return true;
    }

  private:
    std::function<void()> tick_;
};
