#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace anigif {

// What a form designer does with a control: assign the image, set properties, save the settings.
struct DesignRequest {
    QString file;
    QString store;
    std::optional<std::int32_t> stretch, loops, delay, mirror, delayLoad, steppedDelay;
    std::optional<std::int32_t> offsetX, offsetY;
    std::optional<std::uint32_t> background;  // red * 65536 + green * 256 + blue
};

// Writes the saved settings to request.store. On failure, the one-line reason.
std::optional<QString> SaveDesign(const DesignRequest& request);

}  // namespace anigif
