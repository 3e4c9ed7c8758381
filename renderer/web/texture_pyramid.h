#pragma once

#include <cstdint>
#include <vector>

#include "rgb_image.h"

// One level of a mipmapped texture: tightly packed red, green, blue rows,
// bottom-up.
struct TextureLevel {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// The levels of a picture's texture as the OpenGL 1.1 path's
// gluBuild2DMipmaps makes them, so that WebGL shows what it shows: the
// picture scaled by an area-weighted box filter to the nearest power of two
// in each direction (768 goes to 1024, 640 to 512), halved in both until no
// side is past `largest`, then halved again and again, each texel the mean
// of the four under it, down to 1 x 1.
std::vector<TextureLevel> BuildTexturePyramid(const RgbImage& image, int largest);
