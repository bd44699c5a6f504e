#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace anigif {

// The property name under which the control reads a remote image.
inline constexpr std::string_view kRemoteGifRead = "remoteGIF";

struct PixelSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// What ucAniGIF needs from the window it sits in. The program's host is a Qt widget; tests use a
// fake with a manual clock. Callbacks are always delivered later from the event loop, never from
// inside the call that registered them, and never after the matching Stop/Cancel.
class AniGifHost {
  public:
    virtual ~AniGifHost() = default;

    // The control's inner size in pixels.
    virtual PixelSize ClientSize() const = 0;
    // Pixels to the container's size units (twips in the main window: 15 per pixel).
    virtual double PixelsToContainerX(double pixels) const = 0;
    virtual double PixelsToContainerY(double pixels) const = 0;
    // False while the control sits in a form designer.
    virtual bool IsRunMode() const = 0;
    // Draws the control now.
    virtual void Repaint() = 0;
    // Gives the control this inner size; may call back into the control's resize handler.
    virtual void ResizeClient(std::int32_t widthPx, std::int32_t heightPx) = 0;

    // Fetches `url` as the read of property `propertyName` (the control names its remote read
    // kRemoteGifRead); later exactly one of the callbacks runs, and the bytes only for a read of
    // that name. False when the fetch cannot start. A new fetch replaces one still running.
    virtual bool StartDownload(std::string_view propertyName, const std::string& url,
                               std::function<void(std::vector<std::uint8_t>)> onBytes,
                               std::function<void()> onFailure) = 0;
    virtual void CancelDownload() = 0;

    // One timer per control: a new start replaces the running one. `onTick` runs every
    // `intervalMs` until StopTimer, to the millisecond where the system allows. False when no
    // timer can be had.
    virtual bool StartTimer(std::int32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer() = 0;
    // Milliseconds on a clock that only moves forward, from any starting point: playback keeps
    // time by it.
    virtual std::int64_t ClockMs() const = 0;

    // A setting a designer would save changed; `name` is the property's mark (its property
    // table row says which).
    virtual void PropertyChanged(std::string_view /*name*/) {}
    // The control's enabled state, and its mouse pointer: 0 the default arrow, 99 `icon` (an
    // image file's bytes), other numbers the desktop's standard pointers.
    virtual void ApplyEnabled(bool /*enabled*/) {}
    virtual void ApplyCursor(std::int16_t /*pointer*/, const std::vector<std::uint8_t>& /*icon*/) {}
};

}  // namespace anigif
