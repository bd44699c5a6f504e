#include "decode/gif_lzw_encoder.h"

#include <algorithm>

namespace anigif {

namespace {

constexpr std::int32_t Mask(int bits) { return (std::int32_t{1} << bits) - 1; }

}  // namespace

GifLzwEncoder::GifLzwEncoder(std::vector<std::uint8_t>& out) : out_(out) {}

void GifLzwEncoder::ClearTable() { htab_.fill(-1); }

void GifLzwEncoder::Start(std::uint8_t first) {
    ClearTable();
    OutputCode(kClearCode);
    ent_ = first;
}

void GifLzwEncoder::Add(std::uint8_t pixel) {
    const std::int32_t c = pixel;
    const std::int32_t fcode = c * kMaxCodes + ent_;
    std::int32_t i = (c << kHashShift) ^ ent_;
    if (i >= kTableSize) i = 0;
    if (htab_[i] == fcode) {
        ent_ = codetab_[i];
        return;
    }
    if (htab_[i] >= 0) {
        // Double hashing: step back by a displacement that depends on the first slot.
        const std::int32_t displacement = i == 0 ? 1 : kTableSize - i;
        do {
            i -= displacement;
            if (i < 0) i += kTableSize;
            if (htab_[i] == fcode) {
                ent_ = codetab_[i];
                return;
            }
        } while (htab_[i] > 0);
    }
    OutputCode(ent_);
    ent_ = c;
    codetab_[i] = freeEnt_;
    htab_[i] = fcode;
    if (freeEnt_ > maxcode_) {
        if (freeEnt_ == kMaxCodes) {
            OutputCode(kClearCode);
            ClearTable();
            nBits_ = 9;
            freeEnt_ = 257;
        } else {
            ++nBits_;
        }
        maxcode_ = Mask(nBits_);
    }
    ++freeEnt_;
}

void GifLzwEncoder::Finish() {
    OutputCode(ent_);
    OutputCode(kEofCode);
    OutputCode(-1);
}

void GifLzwEncoder::WritePacket(std::size_t dataBytes) {
    packet_[0] = static_cast<std::uint8_t>(dataBytes);
    out_.insert(out_.end(), packet_.begin(), packet_.begin() + std::ptrdiff_t(dataBytes + 1));
    fill_ = 1;
}

void GifLzwEncoder::OutputCode(std::int32_t code) {
    if (code >= 0) {
        accumulator_ |= static_cast<std::uint32_t>(code) << bitCount_;
        bitCount_ += nBits_;
        while (bitCount_ >= 8) {
            packet_[fill_] = static_cast<std::uint8_t>(accumulator_ & 0xFF);
            accumulator_ >>= 8;
            bitCount_ -= 8;
            if (fill_ == 254) {
                WritePacket(254);
            } else {
                ++fill_;
            }
        }
        return;
    }
    if (bitCount_ > 0) {
        packet_[fill_++] = static_cast<std::uint8_t>(accumulator_ & 0xFF);
        accumulator_ = 0;
        bitCount_ = 0;
    }
    if (fill_ > 1) WritePacket(fill_ - 1);
}

}  // namespace anigif
