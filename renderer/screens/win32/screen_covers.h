#pragma once

#include <windows.h>

// Black top-most windows over every monitor but the primary, owned by the
// storm's window: they come down with it whichever way it goes, the end of
// the process included. They show no cursor, never take the activation nor
// the keyboard, and stay out of the taskbar and Alt+Tab.

// Makes, moves or destroys covers so that they match the monitors as they
// are now: after the display-mode change and on every WM_DISPLAYCHANGE. On
// one monitor there are none.
void PlaceScreenCovers(HWND storm);

// Destroys the covers that are left and forgets them.
void RemoveScreenCovers();
