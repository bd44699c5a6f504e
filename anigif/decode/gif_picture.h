#pragma once

#include <cstdint>
#include <vector>

namespace anigif {

// A picture handed out by the control: a complete one-frame GIF file and its size. The host turns
// it into its toolkit's image type.
struct GifPicture {
    std::vector<std::uint8_t> Bytes;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

}  // namespace anigif
