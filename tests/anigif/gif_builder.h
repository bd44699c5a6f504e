#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Writes GIF streams block by block; Raw adds the malformed parts real files contain.
class GifBuilder {
  public:
    // Signature and logical screen; globalBits 0 means no global table.
    GifBuilder& Header(std::string_view signature = "GIF89a", std::uint16_t width = 16,
                       std::uint16_t height = 16, int globalBits = 2);
    GifBuilder& Netscape(std::uint16_t loops, std::string_view id = "NETSCAPE2.0",
                         std::uint8_t subBlockSize = 3);
    GifBuilder& GraphicControl(int disposal, std::uint16_t delayCs,
                               std::optional<std::uint8_t> transparent = std::nullopt);
    // Pixels in display order; localBits 0 means no local table.
    GifBuilder& Image(std::uint16_t left, std::uint16_t top, std::uint16_t width,
                      std::uint16_t height, const std::vector<std::uint8_t>& pixels,
                      int localBits = 0);
    GifBuilder& Raw(std::initializer_list<std::uint8_t> bytes);
    GifBuilder& Trailer() { return Raw({0x3B}); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    // width * height pixels with value (x * 7 + y * 3 + seed) mod 2^bits.
    static std::vector<std::uint8_t> Pattern(int width, int height, int bits, int seed = 0);

  private:
    std::vector<std::uint8_t> bytes_;
};
