#pragma once

#include <cstdint>

#include "rgb_image.h"

// How a picture of 32-bit pixels lies in memory: red or blue in the first
// byte of each pixel (the fourth byte is never read), and the top row or the
// bottom row first.
struct FourBytePixels {
    bool redFirst;
    bool topRowFirst;
};

// A picture of `width` x `height` such pixels as a floor takes it: a new
// picture turned left to right as the saver turns the desktop, rows
// bottom-up, red, green, blue. Null for an empty size or when memory runs
// out.
RgbImage* MirroredRgbImage(const uint8_t* pixels, int32_t width, int32_t height,
                           FourBytePixels layout);
