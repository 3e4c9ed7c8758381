#pragma once

#include <cstdint>

#include "rgb_image.h"

// The floor's picture from a picture the browser decoded (the sample
// desktop, the visitor's own, a frame of their screen): `width` x `height`
// pixels of red, green, blue and alpha, top row first. The floor takes it as
// the saver takes the desktop: mirrored left to right, rows bottom-up, alpha
// dropped. Null for an empty picture or one too large to hold.
RgbImage* MirroredFloorPicture(const uint8_t* rgba, int width, int height);
