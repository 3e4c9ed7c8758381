#pragma once

#include <memory>

#include "rgb_image.h"

// A picture from the loader, freed when it goes.
struct RgbImageDeleter {
    void operator()(RgbImage* image) const { FreeRgbImage(image); }
};
using LoadedImage = std::unique_ptr<RgbImage, RgbImageDeleter>;
