// The 24-bit BMP of any RGB picture, byte for byte: headers, rows bottom up, padding.
#include <gtest/gtest.h>

#include <vector>

#include "core/view/rgb_bmp.h"

namespace pxm {
namespace {

TEST(RgbBmp, HeadersRowsBottomUpAndPadding) {
    // 3 x 2 pixels: 9 bytes a row, padded to 12.
    const std::vector<Rgb> pixels{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}, {16, 17, 18}};
    const std::vector<std::uint8_t> expected{
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header: size, pixels at 54
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,                  // 3 x 2, one plane, 24 bits
        0, 0, 0, 0, 24, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,       // no compression, 24 bytes, 72 dpi
        0, 0, 0, 0, 0, 0, 0, 0,                                            // no palette
        12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,                       // the bottom row first, BGR
        3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0};
    EXPECT_EQ(BuildRgbBmp(pixels, 3, 2), expected);
}

}  // namespace
}  // namespace pxm
