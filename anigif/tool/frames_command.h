#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace anigif {

struct FramesRequest {
    QString file;
    QString store;  // instead of a file: a control's saved settings, image included
    QString outDir;
    std::optional<std::uint32_t> background;  // red * 65536 + green * 256 + blue
    std::optional<std::int32_t> stretch;
    std::optional<std::int32_t> width, height;
    std::int32_t mirror = 0;
};

// The largest picture drawn, by the memory its surface takes: 256 MiB, 64 Mi pixels of any shape.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{8192} * 8192;

// Writes 1.png, 2.png, ... into outDir: every frame of one pass as the control draws it, each
// painted onto the same surface that the PNG is written from. On failure, the one-line reason.
std::optional<QString> WriteFramePngs(const FramesRequest& request);

}  // namespace anigif
