#include "floor_picture.h"

#include "mirrored_image.h"

RgbImage* MirroredFloorPicture(const uint8_t* rgba, int width, int height)
{
    if (width > kLargestFloorSide || height > kLargestFloorSide)
        return nullptr;
    return MirroredRgbImage(rgba, width, height, {true, true});
}
