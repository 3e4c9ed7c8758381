#include "floor_picture.h"

#include "mirrored_image.h"

namespace {

// The largest side taken: more than any texture holds.
constexpr int kMostSide = 16384;

} // namespace

RgbImage* MirroredFloorPicture(const uint8_t* rgba, int width, int height)
{
    if (width > kMostSide || height > kMostSide)
        return nullptr;
    return MirroredRgbImage(rgba, width, height, {true, true});
}
