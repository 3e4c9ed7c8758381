#include "monitor_context.h"

#include "pixel_format.h"
#include "swap_interval.h"

HGLRC CreateMonitorContext(HDC window, HGLRC primary)
{
    if (!SetStormPixelFormat(window, 32))
        return nullptr;
    HGLRC context = wglCreateContext(window);
    if (!context)
        return nullptr;
    // The lists are shared before the new context holds anything.
    if (!wglShareLists(primary, context) || !wglMakeCurrent(window, context)) {
        wglDeleteContext(context);
        return nullptr;
    }
    // Each swap held for a refresh would hold the frame once per monitor.
    SetSwapInterval(0);
    return context;
}
