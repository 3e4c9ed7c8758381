#pragma once

#include <string>

// A few lines of text drawn over the frame, bottom left of the viewport, as
// xscreensaver's display modes show their frame rate: white with a dark
// outline, readable over the brightest flash. OpenGL 1.1 only, with a small
// font of our own: digits, " .:%" and the letters of "FPS" and "Load" (other
// characters are left blank). Leaves the OpenGL state as it found it.
void DrawOverlayText(const std::string& text);

// The text's cells are this many pixels wide and high, its margin from the
// viewport's left and bottom edges this many pixels.
constexpr int kOverlayCell = 2;
constexpr int kOverlayMargin = 10;
