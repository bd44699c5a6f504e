// The LZW decoder's rules, each on data our encoder or the tests' writer makes: how many pixels
// the data delivers, and that they are exact.
#include "decode/gif_lzw_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/gif_lzw_encoder.h"
#include "lzw_writer.h"

namespace anigif {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Random(std::size_t n, int bits, std::uint32_t seed) {
    Bytes out(n);
    for (auto& p : out)
        p = std::uint8_t((seed = seed * 1664525u + 1013904223u) >> 16 & ((1u << bits) - 1));
    return out;
}

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(GifLzwDecoder, DeliversWhatTheDataHoldsAndStopsWhereItBreaks) {
    const Bytes a = Random(700, 3, 1), b = Random(300, 3, 2), wide = Random(60000, 2, 4);
    // What; the minimum code size byte and what follows it; the pixels delivered, in stream
    // order; the pixels the frame has (0: as many as expected).
    using Case = std::tuple<std::string, Bytes, Bytes, std::size_t>;
    std::vector<Case> cases;
    auto add = [&](std::string what, const LzwWriter& w, const Bytes& expect, std::size_t room = 0,
                   std::size_t block = 255) {
        cases.push_back({std::move(what), w.Data(block), expect, room});
    };
    for (int bits = 2; bits <= 8; ++bits) {
        const Bytes px = Random(2000, bits, std::uint32_t(bits));
        for (std::size_t block : {255u, 1u, 7u})
            add("code size " + std::to_string(bits) + ", blocks of " + std::to_string(block),
                LzwWriter(bits).Clear().Pixels(px).End(), px, 0, block);
    }
    for (int bits : {0, 1, 9, 12})
        add("code size " + std::to_string(bits), LzwWriter(bits).Clear().Pixels({0, 1, 0}).End(),
            {}, 3);
    // Once the table is full, code 4095 still names its last entry: pixels 3838 and 3839.
    add("deferred clear", LzwWriter(8).Pixels(wide).Code(4095).Clear().Pixels(a).End(),
        Join(Join(wide, {wide[3837], wide[3838]}), a));
    add("clears: none first, two in a row, one inside",
        LzwWriter(3).Pixels(a).Clear().Clear().Pixels(b).Clear().Pixels(a), Join(Join(a, b), a));
    add("an early end code", LzwWriter(3).Pixels(a).End().Pixels(b), a, 1000);
    LzwWriter past(3);
    add("a code above the next free one", past.Pixels(a).Code(past.NextFree() + 1).Pixels(b), a,
        1000);
    add("data after the last pixel", LzwWriter(3).Pixels(a).Code(4095).Code(4095),
        Bytes(a.begin(), a.begin() + 500));
    cases.push_back({"no data at all", {3, 0}, {}, 10});
    // Compressed strings, long runs that use the code being defined, and the clear code of a full
    // table: what our encoder writes.
    const Bytes mixed = Join(Bytes(500, 1), Join(Random(9000, 8, 3), Bytes(302, 2)));
    Bytes coded{8};
    GifLzwEncoder encoder(coded);
    encoder.Start(mixed[0]);
    for (std::size_t i = 1; i < mixed.size(); ++i) encoder.Add(mixed[i]);
    encoder.Finish();
    coded.push_back(0);
    cases.push_back({"our encoder's strings, runs and clears", coded, mixed, 0});
    // Cut right after the byte that holds a's last code: inside a sub-block, with no terminator.
    for (std::size_t block : {255u, 5u}) {
        LzwWriter w(3);
        const std::size_t bytes = (w.Pixels(a).BitCount() + 7) / 8;
        Bytes cut = w.Pixels(b).End().Data(block);
        cut.resize(1 + bytes + (bytes + block - 1) / block);
        cases.push_back({"cut inside blocks of " + std::to_string(block), cut, a, 1000});
    }

    for (const auto& [what, data, expect, room] : cases) {
        Bytes pixels(room ? room : expect.size());
        ASSERT_EQ(DecodeGifLzw(Join({0xAA}, data), 1, pixels), expect.size()) << what;
        EXPECT_TRUE(std::equal(expect.begin(), expect.end(), pixels.begin())) << what;
    }
}

}  // namespace
}  // namespace anigif
