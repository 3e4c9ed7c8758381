#include "floor_picture.h"

#include <cstddef>
#include <cstdlib>

namespace {

// The largest side taken: more than any texture holds.
constexpr int kMostSide = 16384;

} // namespace

RgbImage* MirroredFloorPicture(const uint8_t* rgba, int width, int height)
{
    if (!rgba || width <= 0 || height <= 0 || width > kMostSide || height > kMostSide)
        return nullptr;
    const size_t rowBytes = size_t{3} * static_cast<size_t>(width);
    auto* pixels = static_cast<uint8_t*>(std::malloc(rowBytes * static_cast<size_t>(height)));
    auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (!pixels || !image) {
        std::free(pixels);
        std::free(image);
        return nullptr;
    }
    *image = RgbImage{width, height, pixels};
    for (int row = 0; row < height; ++row) {
        const uint8_t* in = rgba + size_t{4} * static_cast<size_t>(width) * row;
        uint8_t* out = pixels + rowBytes * static_cast<size_t>(height - 1 - row);
        for (int column = width - 1; column >= 0; --column, out += 3) {
            const uint8_t* pixel = in + size_t{4} * static_cast<size_t>(column);
            out[0] = pixel[0];
            out[1] = pixel[1];
            out[2] = pixel[2];
        }
    }
    return image;
}
