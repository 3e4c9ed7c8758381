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
// Where the sliding ceiling stands along +z in the next frame drawn: 10 to 40. The frame shades it
// by where it stands one step later.
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

// Advances the storm one step (1/60 s): the flash fades, the sliding ceiling
// moves on, and a new bolt grows for the frame on which the ceiling jumps
// back.
void StepScene();

// Draws the storm as it stands into the back buffer.
void DrawScene();

// The same storm over other textures (another monitor's floor), into the
// current context's back buffer.
void DrawSceneWith(unsigned int cloudTexture, unsigned int desktopTexture);

// Sets the current context up for drawing the scene: its fixed state. A
// further context that draws the storm (another monitor's) needs it too.
void PrepareSceneContext();

// A new mipmapped texture of `image` in the current context's texture names;
// 0 without a picture.
unsigned int BuildSceneTexture(const RgbImage* image);

// Draws a frame, then advances one step: the storm at one step per frame.
void RenderFrame();

// Builds a mipmapped texture from each picture that loads; non-zero when at
// least one did.
int LoadSceneTextures();
