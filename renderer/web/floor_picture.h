#pragma once

#include <cstdint>

#include "rgb_image.h"

// The largest side of a floor picture: plenty for a floor seen at a slant,
// and little memory for its texture in any browser. The page decodes no
// picture larger than this (it asks the storm for it), and a larger one
// given here is refused.
constexpr int kLargestFloorSide = 2048;

// The floor's picture from a picture the browser decoded (the sample
// desktop, the visitor's own, a frame of their screen): `width` x `height`
// pixels of red, green, blue and alpha, top row first. The floor takes it as
// the saver takes the desktop: mirrored left to right, rows bottom-up, alpha
// dropped. Null for an empty picture or one past kLargestFloorSide.
RgbImage* MirroredFloorPicture(const uint8_t* rgba, int width, int height);
