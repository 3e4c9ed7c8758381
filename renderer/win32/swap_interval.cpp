#include "swap_interval.h"

#include <windows.h>

void SetSwapInterval(int refreshes)
{
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    // Through the generic function type, which any function pointer may be
    // cast to and from.
    const auto swapInterval = reinterpret_cast<SwapIntervalProc>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglSwapIntervalEXT")));
    if (swapInterval)
        swapInterval(refreshes);
}
