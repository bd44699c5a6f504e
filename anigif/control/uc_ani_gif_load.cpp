#include <cmath>
#include <new>

#include "control/read_whole_file.h"
#include "control/uc_ani_gif_state.h"
#include "decode/parse_gif_stream.h"

namespace anigif {

bool ucAniGIF::LoadAnimatedGIF_File(const std::filesystem::path& FileName) {
    return FinishLoad(ReadWholeFile(FileName, kMaxGifStreamBytes));
}

bool ucAniGIF::LoadFromBytes(std::span<const std::byte> bytes) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
    // Built at once in run mode, the frames need the caller's bytes only during this call: no
    // copy. Otherwise they are kept, for the frames built later or for saving.
    if (host_.IsRunMode() && state_->delayAnimation == 0)
        return FinishLoad({}, {first, bytes.size()});
    std::vector<std::uint8_t> copy;
    try {
        copy.assign(first, first + bytes.size());
    } catch (const std::bad_alloc&) {
        copy = {};
    }
    return FinishLoad(std::move(copy));
}

void ucAniGIF::LoadAnimatedGIF_Remote(std::string_view RemotePath) {
    if (RemotePath.empty()) return;
    const bool started = host_.StartDownload(
        kRemoteGifRead, std::string(RemotePath),
        [this](std::vector<std::uint8_t> bytes) { OnDownloadBytes(std::move(bytes)); },
        [this] { OnDownloadFailure(); });
    if (!started && RemoteLoadFailure) RemoteLoadFailure();
}

void ucAniGIF::OnDownloadFailure() {
    host_.CancelDownload();
    if (RemoteLoadFailure) RemoteLoadFailure();
}

void ucAniGIF::OnDownloadBytes(std::vector<std::uint8_t> bytes) {
    // The received bytes are checked where they are: the image loaded before (whose bytes a
    // designer would save) stays intact when the handler cancels.
    if (bytes.size() <= 14 || !IsGifSignature(std::span(bytes).first(6))) {
        if (RemoteLoadFailure) RemoteLoadFailure();
        return;
    }
    const auto width = static_cast<std::uint16_t>(bytes[6] | (bytes[7] << 8));
    const auto height = static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
    bool cancel = false;
    if (RemoteLoadComplete) {
        RemoteLoadComplete(static_cast<float>(std::trunc(host_.PixelsToContainerX(width))),
                           static_cast<float>(std::trunc(host_.PixelsToContainerY(height))),
                           cancel);
    }
    if (cancel) return;
    FinishLoad(std::move(bytes));
}

}  // namespace anigif
