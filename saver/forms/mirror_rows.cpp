#include "mirror_rows.h"

#include <algorithm>

void MirrorRows24(uint8_t* rows, int32_t width, int32_t height, size_t stride)
{
    for (int32_t row = 0; row < height; ++row) {
        uint8_t* left = rows + row * stride;
        uint8_t* right = left + size_t{3} * (width > 0 ? width - 1 : 0);
        for (; left < right; left += 3, right -= 3)
            std::swap_ranges(left, left + 3, right);
    }
}
