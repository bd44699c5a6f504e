#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Writes GIF streams block by block, including the malformed ones real files contain: odd
// extensions, missing tables, cut-off data. Image data is valid LZW (each code at the starting
// width, with a clear code often enough that the width never grows).
class GifBuilder {
  public:
    // Signature and logical screen; globalBits 0 means no global table.
    GifBuilder& Header(std::string_view signature = "GIF89a", std::uint16_t width = 16,
                       std::uint16_t height = 16, int globalBits = 2);
    GifBuilder& Netscape(std::uint16_t loops, std::string_view id = "NETSCAPE2.0",
                         std::uint8_t subBlockSize = 3);
    GifBuilder& GraphicControl(int disposal, std::uint16_t delayCs,
                               std::optional<std::uint8_t> transparent = std::nullopt,
                               std::uint8_t blockSize = 4);
    // Pixels in display order, width * height of them. localBits 0 means no local table.
    GifBuilder& Image(std::uint16_t left, std::uint16_t top, std::uint16_t width,
                      std::uint16_t height, const std::vector<std::uint8_t>& pixels,
                      int localBits = 0, bool interlaced = false);
    GifBuilder& Comment(std::string_view text);
    GifBuilder& Raw(std::vector<std::uint8_t> bytes);
    GifBuilder& Trailer();

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

    // A colour table of 2^bits entries whose entry i is (i, 255 - i, i * 3 mod 256).
    static std::vector<std::uint8_t> Table(int bits);
    // width * height pixels with value (x * 7 + y * 3 + seed) mod 2^bits.
    static std::vector<std::uint8_t> Pattern(int width, int height, int bits, int seed = 0);

  private:
    void Word(std::uint16_t v);
    void SubBlocks(const std::vector<std::uint8_t>& data);

    std::vector<std::uint8_t> bytes_;
};
