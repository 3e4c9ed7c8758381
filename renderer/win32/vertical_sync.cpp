#include <windows.h>

#include "vertical_sync.h"

// One frame per refresh where the driver offers the choice, so that the storm
// keeps its pace and leaves the processor alone on a driver that would
// otherwise not wait for the display.
void RequestVerticalSync()
{
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    // Through the generic function type, which any function pointer may be
    // cast to and from.
    const auto swapInterval = reinterpret_cast<SwapIntervalProc>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglSwapIntervalEXT")));
    if (swapInterval)
        swapInterval(1);
}
