#include <gtest/gtest.h>

#include "render/dib.h"

namespace anigif {
namespace {

TEST(Dib, RowsArePaddedTo32BitsAndStoredBottomUp) {
    EXPECT_EQ(DibRowBytes(8, 5), 8);
    EXPECT_EQ(DibRowBytes(24, 3), 12);
    EXPECT_EQ(DibRowBytes(1, 33), 8);
    EXPECT_EQ(DibRowBytes(24, 0x7fffffff), 6442450944);  // no 32-bit overflow

    auto dib = Dib8::Create(3, 4);
    ASSERT_TRUE(dib);
    dib->Row(0)[2] = 9;
    EXPECT_EQ(dib->Bits()[3 * dib->RowBytes() + 2], 9);
    auto mask = Dib1::Create(9, 2);
    mask->Set(8, 1, true);
    EXPECT_EQ(mask->Bits()[1], 0x80);  // image row 1 is memory row 0; x 8 is byte 1's top bit
}

}  // namespace
}  // namespace anigif
