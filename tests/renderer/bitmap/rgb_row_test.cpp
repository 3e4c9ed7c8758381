#include <gtest/gtest.h>

#include <vector>

#include "rgb_row.h"

TEST(RgbRow, SwapsEveryPixelOfRowsOfAnyWidth)
{
    for (int32_t width = 0; width <= 150; ++width) {
        std::vector<uint8_t> bgr(3 * size_t(width));
        for (size_t i = 0; i < bgr.size(); ++i)
            bgr[i] = static_cast<uint8_t>(i * 7 + 1);
        // One guard byte past the row must stay untouched.
        std::vector<uint8_t> rgb(bgr.size() + 1, 0xEE);
        CopyRowAsRgb(bgr.data(), rgb.data(), width);
        for (int32_t x = 0; x < width; ++x) {
            ASSERT_EQ(rgb[3 * x], bgr[3 * x + 2]) << width << " " << x;
            ASSERT_EQ(rgb[3 * x + 1], bgr[3 * x + 1]) << width << " " << x;
            ASSERT_EQ(rgb[3 * x + 2], bgr[3 * x]) << width << " " << x;
        }
        ASSERT_EQ(rgb.back(), 0xEE) << width;
    }
}
