#pragma once

#include <windows.h>

// The rendering context of a storm window over another monitor: made for
// the window's device context, sharing the primary context's texture names
// (the clouds), current on return and without vertical sync (the primary's
// swap keeps the time for all). Null, with nothing left behind, when the
// window cannot have one: that monitor stays covered black. Each program
// brings its own (renderer/win32/monitor_context.cpp).
HGLRC CreateMonitorContext(HDC window, HGLRC primary);
