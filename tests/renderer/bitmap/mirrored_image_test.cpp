#include <gtest/gtest.h>

#include <vector>

#include "mirrored_image.h"

namespace {

// Two rows of three pixels, four bytes each.
const uint8_t kRows[] = {1,  2,  3,  0, 4,  5,  6,  0, 7,  8,  9,  0,
                         10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0};

std::vector<uint8_t> Mirrored(FourBytePixels layout)
{
    RgbImage* picture = MirroredRgbImage(kRows, 3, 2, layout);
    EXPECT_NE(picture, nullptr);
    if (!picture)
        return {};
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    std::vector<uint8_t> pixels(picture->pixels, picture->pixels + 18);
    FreeRgbImage(picture);
    return pixels;
}

} // namespace

TEST(MirroredImage, TurnsEachRowLeftToRightAsRedGreenBlueBottomUp)
{
    // A bottom-up DIB's blue, green, red, unused.
    EXPECT_EQ(Mirrored({false, false}), (std::vector<uint8_t>{9, 8, 7, 6, 5, 4, 3, 2, 1, 18, 17, 16,
                                                              15, 14, 13, 12, 11, 10}));
    // A browser's red, green, blue, alpha, top row first.
    EXPECT_EQ(Mirrored({true, true}), (std::vector<uint8_t>{16, 17, 18, 13, 14, 15, 10, 11, 12, 7,
                                                            8, 9, 4, 5, 6, 1, 2, 3}));
    EXPECT_EQ(MirroredRgbImage(kRows, 0, 2, {false, false}), nullptr);
}
