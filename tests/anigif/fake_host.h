#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "control/offscreen_host.h"
#include "control/uc_ani_gif.h"

// A host without a window: a manual clock drives the timer, the test answers downloads, and the
// control's requests are recorded.
class FakeHost : public anigif::OffscreenHost {
  public:
    FakeHost() {
        client = {100, 100};
        unitsPerPixel = 15;
    }
    bool timersAvailable = true, downloadsAvailable = true;
    std::function<void()> onResize;  // the control's resize handler, when the test wires it
    int repaints = 0;
    std::int64_t paintMs = 0;  // how long a repaint takes on the clock
    std::vector<anigif::PixelSize> resizes;
    std::vector<std::int32_t> timerStarts;
    std::vector<std::string> marks;  // saved settings reported changed

    void Repaint() override { ++repaints, now_ += paintMs; }
    void ResizeClient(std::int32_t w, std::int32_t h) override {
        resizes.push_back(client = {w, h});
        if (onResize) onResize();
    }

    std::string readName;
    bool StartDownload(std::string_view name, const std::string&,
                       std::function<void(std::vector<std::uint8_t>)> onBytes,
                       std::function<void()> onFailure) override {
        readName = name;
        if (!downloadsAvailable) return false;
        onBytes_ = std::move(onBytes);
        onFailure_ = std::move(onFailure);
        return true;
    }
    void CancelDownload() override { onBytes_ = nullptr, onFailure_ = nullptr; }
    bool DownloadPending() const { return static_cast<bool>(onBytes_); }
    // Exactly one callback runs, and the control may start the next download from inside it.
    void DeliverBytes(std::vector<std::uint8_t> bytes) {
        onFailure_ = nullptr, std::exchange(onBytes_, nullptr)(std::move(bytes));
    }
    void DeliverFailure() { onBytes_ = nullptr, std::exchange(onFailure_, nullptr)(); }

    bool StartTimer(std::int32_t intervalMs, std::function<void()> onTick) override {
        if (!timersAvailable) return false;
        timerStarts.push_back(interval_ = intervalMs);
        due_ = now_ + intervalMs;
        tick_ = std::move(onTick);
        return true;
    }
    void StopTimer() override { due_.reset(), tick_ = nullptr; }
    std::int64_t ClockMs() const override { return now_; }
    void PropertyChanged(std::string_view name) override { marks.emplace_back(name); }
    bool TimerArmed() const { return due_.has_value(); }

    // Moves the clock on, firing every tick that falls due on the way, like a periodic timer.
    void Advance(std::int64_t ms) {
        const std::int64_t end = now_ + ms;
        while (due_ && *due_ <= end) {
            now_ = *due_;
            due_ = now_ + interval_;
            const std::function<void()> tick = tick_;  // the tick may replace tick_
            tick();
        }
        now_ = std::max(now_, end);  // a paint may have taken the clock past the end
    }

  private:
    std::function<void(std::vector<std::uint8_t>)> onBytes_;
    std::function<void()> onFailure_;
    std::int64_t now_ = 0;
    std::optional<std::int64_t> due_;
    std::int32_t interval_ = 0;
    std::function<void()> tick_;
};

// A control on a fake host that resizes it as a window would.
struct HostedGif : ::testing::Test {
    FakeHost host;
    anigif::ucAniGIF gif{host};
    HostedGif() {
        host.onResize = [this] { gif.UserControl_Resize(); };
    }
};

// The stream the control would save: empty once it has let the stream go.
inline std::vector<std::uint8_t> SavedGif(const anigif::ucAniGIF& gif) {
    anigif::PropertyBag bag;
    gif.WriteProperties(bag);
    return bag.Read("GIF", std::vector<std::uint8_t>{});
}
