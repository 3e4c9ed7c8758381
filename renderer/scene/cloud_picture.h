#pragma once

#include <cstddef>
#include <cstdint>

// The saver's 128 x 128 cloud picture, a bitmap file built into the program.
extern const uint8_t kCloudPicture[];
extern const size_t kCloudPictureSize;
