#pragma once

#include <windows.h>

// Black windows over every monitor but the primary (screen_window.h), under
// the storms that show there (screen_storms.h): a monitor whose storm does
// not start, or that came during the run, stays black.

// Makes, moves or destroys covers so that they match the monitors as they
// are now: after the display-mode change and on every WM_DISPLAYCHANGE. On
// one monitor there are none.
void PlaceScreenCovers(HWND primary);

// Destroys the covers that are left and forgets them.
void RemoveScreenCovers();
