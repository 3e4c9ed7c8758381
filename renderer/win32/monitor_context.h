#pragma once

#include <windows.h>

// The rendering context of a storm over another monitor, as the renderer
// makes it (screen_storms.h's StormContextMaker).
HGLRC CreateMonitorContext(HDC window, HGLRC primary);
