#pragma once

// The storm scene: the cloud picture as a sloping ceiling and as a second
// ceiling that slides away while it darkens, the desktop picture as a floor
// lit by the flash, all under black fog, and the bolt over them.

// The two capture pictures the saver writes before it starts the renderer
// (kCloudPicturePath, kDesktopPicturePath).
#include "handoff.h"

// Texture names of the cloud (1) and desktop (2) pictures; 0 while missing.
extern unsigned int g_cloudTexture;
extern unsigned int g_desktopTexture;
// How far the sliding ceiling has moved along +z: 10 to just over 40.
extern float g_slideOffset;

struct RgbImage;

// Loads both pictures and grows the first bolt; zero when neither picture
// could be loaded. Needs a current rendering context.
int InitScene();

// The same from pictures already in memory, either of them null when
// missing, in place of the capture files; the pictures stay the caller's.
int InitSceneFromImages(const RgbImage* cloud, const RgbImage* desktop);

// Viewport and projection for a client area of width x height.
void ResizeScene(int width, int height);

// Draws one frame into the back buffer and advances the animation one step.
int RenderFrame();

// Builds a mipmapped texture from each picture that loads; non-zero when at
// least one did.
int LoadSceneTextures();
