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

// The largest picture side drawn: a PNG of 8192 x 8192 is already 256 MiB while it is made.
inline constexpr std::int32_t kMaxPictureSide = 8192;

// Writes 1.png, 2.png, ... into outDir: every frame of one pass as the control draws it. On
// failure, the one-line reason.
std::optional<QString> WriteFramePngs(const FramesRequest& request);

}  // namespace anigif
