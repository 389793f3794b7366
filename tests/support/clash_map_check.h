#pragma once
// A clash map checked against the picture it was made of: a marked cell's outermost pixels are
// one colour the picture does not have, its inner 6x6 the picture's; every other pixel the
// picture's.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "tests/support/png_reader.h"

namespace pxm::test {

// file(x, y): the picture's pixel; left, top: where its cells start (inside a screenshot's border).
inline void ExpectMap(const ReadBackPng& map, const std::function<Rgb(int, int)>& file, int width, int height, int left,
                      int top, const std::set<int>& marked) {
    ASSERT_EQ(map.width, width);
    ASSERT_EQ(map.height, height);
    ASSERT_EQ(map.pixels.size(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::set<std::uint32_t> used;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) used.insert(Packed(file(x, y)));
    }
    std::optional<Rgb> frame;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inCells = x >= left && x < left + 320 && y >= top && y < top + 200;
            const int cell = (y - top) / 8 * 40 + (x - left) / 8;
            const bool edge = (x - left) % 8 == 0 || (x - left) % 8 == 7 || (y - top) % 8 == 0 || (y - top) % 8 == 7;
            if (!(inCells && edge && marked.contains(cell))) {
                ASSERT_EQ(map.At(x, y), file(x, y)) << x << "," << y;
                continue;
            }
            if (!frame) frame = map.At(x, y);
            ASSERT_EQ(map.At(x, y), *frame) << x << "," << y;
        }
    }
    if (frame) {
        EXPECT_FALSE(used.contains(Packed(*frame)));
    }
}

}  // namespace pxm::test
