#pragma once

#include "rgb_image.h"

// The WebGL drawing path of the scene (scene.h's drawing, for the browser),
// beyond what scene.h declares.

// Makes a WebGL context on the page's canvas `selector` current and readies
// the scene's program and planes; false when the browser has no WebGL.
bool StartWebGl(const char* selector);

// Shows `picture` on the floor from the next frame on; false when it cannot
// be made a texture.
bool SetFloorPicture(const RgbImage* picture);
