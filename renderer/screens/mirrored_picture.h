#pragma once

#include <cstdint>

#include "rgb_image.h"

// A monitor's desktop as a storm's floor: a new picture of `width` x `height`
// pixels from 32-bit pixels blue, green, red, unused, rows bottom-up as a
// bottom-up DIB holds them, turned left to right as the saver turns the
// primary's. Null for an empty size or when memory runs out.
RgbImage* MirroredPicture(const uint8_t* bgrxRows, int32_t width, int32_t height);
