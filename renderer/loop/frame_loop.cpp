#include "frame_loop.h"

#include "scene.h"

bool g_active = true;
bool g_keys[256];

void SetKeyHeld(unsigned long code, bool held)
{
    if (code < sizeof g_keys)
        g_keys[code] = held;
}

bool RunIdlePass()
{
    return !((g_active && !RenderFrame()) || g_keys[kEscapeKey]);
}
