#pragma once

#include <cstdint>
#include <cstdlib>

// A loaded picture: rows bottom-up, tightly packed, each pixel red, green,
// blue. The record and its pixels come from malloc; the caller frees the
// pixels, then the record.
struct RgbImage {
    int32_t width;
    int32_t height;
    uint8_t* pixels;
};

// Frees a loaded picture: its pixels, then the record.
inline void FreeRgbImage(RgbImage* image)
{
    if (image) {
        std::free(image->pixels);
        std::free(image);
    }
}
