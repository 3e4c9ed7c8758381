#pragma once

#include <X11/Xlib.h>

// Runs xscreensaver's image helper, xscreensaver-getimage (found on PATH,
// where xscreensaver puts its hack folder), to put the picture the user chose
// (the desktop under `window`, or one from a folder) on `pixmap`, and waits
// for it. False when it cannot be started or fails, or when a stop signal
// comes first (the helper is then stopped too).
bool RunImageHelper(Window window, Pixmap pixmap);
