#pragma once

#include <windows.h>

// Gives a window's device context the storm's pixel format: double-buffered
// RGBA of `bits` with a 16-bit depth buffer, for OpenGL. False when the
// driver has none or refuses it.
bool SetStormPixelFormat(HDC dc, int bits);
