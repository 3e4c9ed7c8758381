#pragma once

#include "rgb_image.h"

// The WebGL drawing path of the scene: what scene.h's OpenGL 1.1 drawing
// does, for the browser, under names of its own.

// Makes a WebGL context on the page's canvas `selector` current and readies
// the scene's program and planes; false when the browser has no WebGL.
bool StartWebGl(const char* selector);

// Shows `picture` on the floor from the next frame on; false when it cannot
// be made a texture.
bool SetFloorPicture(const RgbImage* picture);

// Makes textures of the sky's and the floor's pictures (either may be null)
// and grows the first bolt; 0 when neither picture can be a texture.
int InitWebGlScene(const RgbImage* cloud, const RgbImage* desktop);

// Fits the view to a canvas of `width` x `height` pixels.
void ResizeWebGlScene(int width, int height);

// Draws the frame as the storm stands, in the order the shared scene lays out.
void DrawWebGlScene();
