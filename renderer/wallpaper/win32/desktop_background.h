#pragma once

#include <windows.h>

// The box round all monitors, in the virtual screen's pixels.
RECT VirtualScreen();

// Draws into `dc`, from its top-left corner, what Windows shows behind every
// window on the monitor at `monitor`: the desktop's background colour and
// over it the monitor's wallpaper, placed by its style (wallpaper_placement.h)
// with `screen` the box round all monitors, both as they are or were when the
// monitor's place was taken. A wallpaper that cannot be had leaves the plain
// colour. Sets up COM for itself.
void DrawDesktopBackground(HDC dc, const RECT& monitor, const RECT& screen);
