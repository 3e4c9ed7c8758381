#pragma once

// OpenGL 1.1 and GLU, with what <GL/gl.h> needs from <windows.h> on Windows.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
