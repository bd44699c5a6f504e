#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace anigif {

// The GIF variant of LZW for 8-bit pixels: 9- to 12-bit codes, a clear code when all 4096 codes
// are taken, strings found through a 5003-entry hash table with double hashing. Codes go out in
// data sub-blocks of 254 bytes, appended to `out`.
class GifLzwEncoder {
  public:
    explicit GifLzwEncoder(std::vector<std::uint8_t>& out);

    // Codes the first pixel, then each further one.
    void Start(std::uint8_t first);
    void Add(std::uint8_t pixel);
    // The pending string, the end code, and what is left in the accumulator and the packet.
    void Finish();

  private:
    static constexpr int kTableSize = 5003;
    static constexpr int kHashShift = 4;  // 5003 doubled 4 times passes 65536
    static constexpr std::int32_t kClearCode = 256;
    static constexpr std::int32_t kEofCode = 257;
    static constexpr std::int32_t kMaxCodes = 4096;

    // Appends one code; -1 flushes the accumulator and the packet.
    void OutputCode(std::int32_t code);
    void ClearTable();
    void WritePacket(std::size_t dataBytes);

    std::vector<std::uint8_t>& out_;
    std::array<std::int32_t, kTableSize> htab_{};
    std::array<std::int32_t, kTableSize> codetab_{};
    std::array<std::uint8_t, 255> packet_{};  // [0] is the count byte
    std::size_t fill_ = 1;
    std::uint32_t accumulator_ = 0;
    int bitCount_ = 0;
    int nBits_ = 9;
    std::int32_t maxcode_ = 511;
    std::int32_t freeEnt_ = 258;
    std::int32_t ent_ = 0;
};

}  // namespace anigif
