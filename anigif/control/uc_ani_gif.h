#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Installed headers name each other as a user of the library does.
#include "anigif/control/ani_gif_host.h"
#include "anigif/control/array_bytes.h"
#include "anigif/control/property_bag.h"
#include "anigif/control/property_table.h"
#include "anigif/decode/gif_picture.h"
#include "anigif/raster/surface.h"

namespace anigif {

enum class ActionCommand : std::int32_t;  // SetAction's commands, with the player's state

// The animated-GIF control: loads a GIF from a file, memory or a remote address, builds its frames
// into the strip, and plays them through its host's timer.
class ucAniGIF {
  public:
    explicit ucAniGIF(AniGifHost& host);
    ~ucAniGIF();
    ucAniGIF(const ucAniGIF&) = delete;
    ucAniGIF& operator=(const ucAniGIF&) = delete;

    // --- Loading. A failed load leaves the control empty, not showing the previous image. ---

    // Build a wide name with std::filesystem::path(std::u16string) or path(std::u8string).
    bool LoadAnimatedGIF_File(const std::filesystem::path& FileName);
    // Takes the array's memory, in memory order, as the GIF stream. Arrays of three or more
    // dimensions, like an empty array or none at all, fail the load.
    template <ByteSourceArray R>
    bool LoadAnimatedGIF_Array(const R& Bytes) {
        if constexpr ((kArrayDimensions<R>) > 2) {
            return LoadFromBytes({});
        } else {
            return LoadFromBytes(ArrayBytes(Bytes));
        }
    }
    bool LoadAnimatedGIF_Array(std::nullptr_t) { return LoadFromBytes({}); }
    // Returns at once; the outcome arrives as RemoteLoadComplete (then the load) or
    // RemoteLoadFailure. An empty path does nothing.
    void LoadAnimatedGIF_Remote(std::string_view RemotePath);

    // --- Properties. ---
    std::int32_t CurrentFrame() const;
    std::int32_t FrameCount() const;
    // Canvas size in the container's units, cut to whole numbers.
    std::int32_t ActualWidth() const;
    std::int32_t ActualHeight() const;
    std::int32_t Loops() const;
    std::int32_t LoopsRemaining() const;
    // 0 stopped, 1 playing (a timer is armed, also while frames are still being built), 2 paused.
    std::int32_t Action() const;
    // 0 stop (back to frame 1), 1 play, 2 pause, 3 next frame, 4 restart (ActionCommand); only in
    // run mode with an image loaded; other numbers do nothing. Stopping or pausing while frames are
    // still waiting to be built builds them at once, so that no frame is ever shown unbuilt.
    void SetAction(std::int32_t Act);
    void SetLoops(std::int32_t Count);
    // 0 unscaled, 1 fit keeping proportions, 2 fill, 3 fit but never enlarge, 4 image size.
    std::int32_t Stretch() const;
    void SetStretch(std::int32_t newScale);
    std::int32_t MinFrameDelay() const;
    void SetMinFrameDelay(std::int32_t Delay);  // clamped to 10..32700
    std::int32_t SteppedDelay() const;
    void SetSteppedDelay(
        std::int32_t newDelay);  // every frame this long; 0 (or less) for their own
    // Bit 0 mirrors horizontally, bit 1 vertically.
    std::int32_t Mirrored() const;
    void SetMirrored(std::int32_t MirrorStyle);
    // Shift of the picture in control pixels, unscaled.
    std::int32_t OffsetX() const;
    std::int32_t OffsetY() const;
    void SetOffsetX(std::int32_t NewOffset);
    void SetOffsetY(std::int32_t NewOffset);
    // Red + green * 256 + blue * 65536, or 0x800000nn for system colour nn.
    std::uint32_t SolidBkgColor() const;
    void SetSolidBkgColor(std::uint32_t Color);
    bool SolidBkgColorUsed() const;
    void SetSolidBkgColorUsed(bool IgnoreTransparency);
    // 0 builds every frame before the first is shown; 1-3 show frame 1 at once and build the rest
    // from the timer; 2 and 3 do not start playback when building ends. Other values are ignored.
    std::int32_t DelayAnimation() const;
    void SetDelayAnimation(std::int32_t Mode);

    bool Enabled() const;
    void SetEnabled(bool Enable);
    // An image file's bytes (empty: none). Setting none also sets the pointer back to 0.
    const std::vector<std::uint8_t>& MouseIcon() const;
    void SetMouseIcon(std::vector<std::uint8_t> MousePic);
    std::int16_t MousePointer() const;
    void SetMousePointer(std::int16_t Pointer);
    // Accepted and ignored: the count comes from the image.
    void SetFrameCount(std::int32_t /*nrFrames*/) {}
    // In design mode: shows the picture's GIF (frame 1, unscaled), sizes the control to it and
    // keeps the bytes for saving; none empties the control. Ignored in run mode, where the load
    // methods are the way in.
    void SetAnimatedGIF(const std::optional<GifPicture>& aGif);

    // --- Saved settings. ---
    // Writes the settings a designer keeps, in a fixed order, each only when not at its default;
    // "GIF" (the image's bytes, empty in run mode once built) always.
    void WriteProperties(PropertyBag& bag) const;
    // Restores them and loads the saved image; values a damaged store lacks stay at defaults.
    void ReadProperties(const PropertyBag& bag);

    // --- Colour tables and pictures. ---
    // Table 0 is the global table, n (1..FrameCount) frame n's own table; colours are red * 65536
    // + green * 256 + blue. False (and `paletteEntries` untouched) when nothing is loaded, the
    // table does not exist (a frame that uses the global table has none of its own) or is empty.
    bool GetPalette(std::int32_t FrameIndex, std::vector<std::uint32_t>& paletteEntries);
    // Replaces the table's colours with the first entries of `paletteEntries`, which must hold at
    // least as many as the table has; the next repaint shows them.
    bool SetPalette(std::int32_t FrameIndex, std::span<const std::uint32_t> paletteEntries);
    // Keeps one copy of every table for RestoreColorTables; False when a copy is already held.
    bool CacheColorTables();
    // Puts the copy back (and lets go of it when asked); False when there is none. No repaint.
    bool RestoreColorTables(bool bReleaseCache);
    void Refresh() { host_.Repaint(); }
    // The frame shown, as a new one-frame GIF; nothing while no frame is shown.
    std::optional<GifPicture> AnimatedGIF() const;

    // --- Events. By-reference arguments are for the handler; only Cancel is read back. ---
    std::function<void(std::int32_t FrameIndex, bool& viaTimer)> FrameChanged;
    std::function<void(float gifWidth, float gifHeight, bool& Cancel)> RemoteLoadComplete;
    std::function<void()> RemoteLoadFailure;
    std::function<void()> LoopsEnded;
    std::function<void()> Click;
    // Button and Shift as the host reports them; x and y in the container's units, whole numbers.
    using MouseEvent =
        std::function<void(std::int16_t& Button, std::int16_t& Shift, float& x, float& y)>;
    MouseEvent MouseDown;
    MouseEvent MouseMove;
    MouseEvent MouseUp;

    // --- Notifications from the host. ---
    // The control's size changed: applies the Stretch mode to it.
    void UserControl_Resize();
    // Paints the control's client area onto `surface`, every pixel once: the current frame over
    // `background` (premultiplied 0xAARRGGBB, the host's erase colour; alpha 0 leaves the
    // uncovered pixels transparent), and in design mode a dotted outline around it.
    void UserControl_Paint(Surface32& surface, std::uint32_t background);
    // Hidden: playback pauses. Shown: a paused animation plays on.
    void UserControl_Hide();
    void UserControl_Show();
    // Mouse input at a position in the control's pixels.
    void UserControl_MouseDown(std::int16_t button, std::int16_t shift, double x, double y);
    void UserControl_MouseMove(std::int16_t button, std::int16_t shift, double x, double y);
    void UserControl_MouseUp(std::int16_t button, std::int16_t shift, double x, double y);
    void UserControl_Click();
    // Every point of the control's rectangle hits it, transparent pixels included.
    static constexpr std::int32_t kHitTestHit = 3;
    std::int32_t UserControl_HitTest(double /*x*/, double /*y*/) const { return kHitTestHit; }

  private:
    enum class TimerMode { Stop, Play, Build };

    bool LoadFromBytes(std::span<const std::byte> bytes);
    // Loads `bytes`, or `borrowed` (read only during the call) when `bytes` is empty.
    bool FinishLoad(std::vector<std::uint8_t> bytes, std::span<const std::uint8_t> borrowed = {});
    std::int32_t LoadGifStream(std::vector<std::uint8_t> bytes,
                               std::span<const std::uint8_t> borrowed = {});
    void ResetAnimation();
    void FailLoad();
    bool BuildFrames(bool& first);
    void EndBuilding(bool startPlayback);
    void FinishPendingBuild();
    void ShowFrame(std::int32_t frame);
    void RepaintUnlessPlaying();
    void MarkChanged(Property p);
    bool PauseIfPlaying();
    void Perform(ActionCommand command);
    bool SetAnimationTimer(TimerMode mode);
    bool ArmFrameTimer(std::int64_t dueAtMs);
    std::int32_t FrameInterval() const;
    void OnBuildTimer();
    void OnFrameTimer();
    void OnDownloadBytes(std::vector<std::uint8_t> bytes);
    void OnDownloadFailure();
    void RaiseMouse(const MouseEvent& event, std::int16_t button, std::int16_t shift, double x,
                    double y);
    void RaiseFrameChanged(std::int32_t frame, bool viaTimer);

    AniGifHost& host_;
    // Everything else the control owns; private to its sources, so that this header needs none of
    // the decoding and drawing headers.
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace anigif
