#include <gtest/gtest.h>

#include <vector>

#include "mirror_rows.h"

TEST(MirrorRows, TurnsEachRowLeftToRightAndLeavesTheFillAlone)
{
    for (int32_t width : {1, 2, 5}) {
        const int32_t height = 2;
        const size_t stride = size_t{3} * width + 2;
        std::vector<uint8_t> rows(stride * height);
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i] = static_cast<uint8_t>(i);
        const std::vector<uint8_t> before = rows;

        MirrorRows24(rows.data(), width, height, stride);
        for (int32_t row = 0; row < height; ++row) {
            const size_t start = row * stride;
            for (int32_t x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(rows[start + 3 * x + c], before[start + 3 * (width - 1 - x) + c])
                        << width;
            for (size_t fill = 3 * width; fill < stride; ++fill)
                EXPECT_EQ(rows[start + fill], before[start + fill]);
        }
    }
}
