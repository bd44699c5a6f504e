#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench_host.h"
#include "control/uc_ani_gif.h"
#include "raster/surface.h"

// ucAniGIF playing an animation as the widget host drives it: the host's timer ticks (fired by
// hand here), then the host erases the control's area and has the control paint it.
class ControlPlayer {
  public:
    // Loaded with every frame built and playing; `scale` sizes the control to the canvas times
    // `scale` with Stretch 2 (fill), so 1.0 draws unscaled and anything else halftone-stretched.
    ControlPlayer(const std::vector<std::uint8_t>& bytes, double scale);

    // One frame: a tick, an erase, a paint.
    void Step();
    // Which way the control draws, as its load plans it.
    const std::string& Path() const { return path_; }
    float ScaleX() const { return scaleX_; }
    // Strip, canvas and mask, in bytes.
    std::uint64_t HeldBytes() const { return held_; }
    const anigif::Surface32& Surface() const { return surface_; }

  private:
    BenchHost host_;
    anigif::ucAniGIF gif_{host_};
    anigif::Surface32 surface_;
    std::string path_;
    float scaleX_ = 1;
    std::uint64_t held_ = 0;
};
