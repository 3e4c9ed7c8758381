#pragma once

#include <windows.h>

// Registers a window class of this program: `procedure`, the arrow cursor
// and `background` (none by default). True when the class is there.
bool RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background = nullptr);
