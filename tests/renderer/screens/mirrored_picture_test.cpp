#include <gtest/gtest.h>

#include <vector>

#include "mirrored_picture.h"

TEST(MirroredPicture, TurnsEachRowLeftToRightAsRedGreenBlue)
{
    // Two rows of three pixels, blue, green, red, unused; the bottom row first.
    const uint8_t rows[] = {1,  2,  3,  0, 4,  5,  6,  0, 7,  8,  9,  0,
                            10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0};
    RgbImage* picture = MirroredPicture(rows, 3, 2);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(
        std::vector<uint8_t>(picture->pixels, picture->pixels + 18),
        (std::vector<uint8_t>{9, 8, 7, 6, 5, 4, 3, 2, 1, 18, 17, 16, 15, 14, 13, 12, 11, 10}));
    FreeRgbImage(picture);
    EXPECT_EQ(MirroredPicture(rows, 0, 2), nullptr);
}
