#pragma once

#include <X11/Xlib.h>

#include "rgb_image.h"

// The picture the floor shows: the desktop as it was when the storm began,
// mirrored left to right as the Windows saver captures it (the scene mirrors
// it back, so that the floor reads the right way round), rows bottom-up.
//
// Run by xscreensaver (XSCREENSAVER_WINDOW set), the picture is whatever
// xscreensaver-getimage puts on a pixmap of the window's size: the part of
// the desktop under this window, or a picture from the user's folder, as the
// user chose. Otherwise it is read from the root window: the whole screen for
// our own window (read before it is shown), the part under the window for
// somebody else's.
//
// Null when no picture can be had: an all-black one (as the root reads under
// Wayland) counts as none.
RgbImage* GrabDesktopPicture(Display* display, Window window, bool ownWindow);
