#include "mirrored_picture.h"

#include <cstddef>

RgbImage* MirroredPicture(const uint8_t* bgrxRows, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    auto* pixels = static_cast<uint8_t*>(std::malloc(3 * pixelCount));
    auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (!pixels || !image) {
        std::free(pixels);
        std::free(image);
        return nullptr;
    }
    *image = RgbImage{width, height, pixels};
    uint8_t* out = pixels;
    for (size_t row = 0; row < static_cast<size_t>(height); ++row) {
        const uint8_t* in = bgrxRows + 4 * (row * static_cast<size_t>(width) + width);
        for (int32_t column = 0; column < width; ++column, out += 3) {
            in -= 4;
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return image;
}
