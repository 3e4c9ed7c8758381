#include "frame_loop.h"

#include "scene.h"

bool g_active = true;
bool g_keys[256];

void SetKeyHeld(unsigned long code, bool held)
{
    if (code < sizeof g_keys)
        g_keys[code] = held;
}

bool EscapeHeld()
{
    return g_keys[kEscapeKey];
}

bool RunIdlePass(StepPacer& pacer, int64_t now)
{
    if (EscapeHeld())
        return false;
    const int steps = pacer.StepsForFrame(now);
    if (g_active) {
        for (int step = 0; step < steps; ++step)
            StepScene();
        DrawScene();
    }
    return true;
}

int64_t SleepAfterPresent(StepPacer& pacer, int64_t now)
{
    return pacer.SleepAfterFrame(now, g_active);
}
