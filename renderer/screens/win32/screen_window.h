#pragma once

#include <windows.h>

#include "cover_layout.h"

// The windows over the other monitors, black covers and storms alike:
// top-most, owned by the primary's window, so that they come down with it
// whichever way it goes, the end of the process included. They show no
// cursor, never take the activation nor the keyboard, ignore a close
// request and stay out of the taskbar and Alt+Tab.
enum class ScreenWindow {
    Cover, // black
    Storm, // black until drawn, with a device context of its own for OpenGL
};

// A new window of that kind over `rect`, shown; null when Windows refuses.
HWND MakeScreenWindow(HWND owner, const ScreenRect& rect, ScreenWindow kind);

// Moves a window over `rect`, on top of the other top-most windows.
void MoveScreenWindow(HWND window, const ScreenRect& rect);

// Unregisters the kind's class once its last window is gone.
void ForgetScreenWindowClass(ScreenWindow kind);
