#include "mirrored_image.h"

#include <cstddef>

RgbImage* MirroredRgbImage(const uint8_t* pixels, int32_t width, int32_t height,
                           FourBytePixels layout)
{
    if (!pixels || width <= 0 || height <= 0)
        return nullptr;
    const size_t rowBytes = size_t{3} * static_cast<size_t>(width);
    auto* rgb = static_cast<uint8_t*>(std::malloc(rowBytes * static_cast<size_t>(height)));
    auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (!rgb || !image) {
        std::free(rgb);
        std::free(image);
        return nullptr;
    }
    *image = RgbImage{width, height, rgb};
    const int red = layout.redFirst ? 0 : 2;
    for (int32_t row = 0; row < height; ++row) {
        const int32_t bottomUp = layout.topRowFirst ? height - 1 - row : row;
        // The row's last pixel first.
        const uint8_t* in = pixels + size_t{4} * static_cast<size_t>(width) * (row + size_t{1});
        uint8_t* out = rgb + rowBytes * static_cast<size_t>(bottomUp);
        for (int32_t column = 0; column < width; ++column, out += 3) {
            in -= 4;
            out[0] = in[red];
            out[1] = in[1];
            out[2] = in[2 - red];
        }
    }
    return image;
}
