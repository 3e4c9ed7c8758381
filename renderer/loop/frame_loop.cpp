#include "frame_loop.h"

#include "frame_marks.h"
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

bool DisplayWantsFrames(StepPacer& pacer)
{
    if (g_display.power != DisplayPower::Off)
        return true;
    pacer.Hold();
    return false;
}

bool RunIdlePass(StepPacer& pacer, int64_t now)
{
    if (EscapeHeld())
        return false;
    const int steps = pacer.StepsForFrame(now);
    if (g_active) {
        for (int step = 0; step < steps; ++step)
            StepScene();
        MarkFrame(pacer.StepsTaken());
        DrawScene();
    }
    return true;
}

int64_t SleepAfterPresent(StepPacer& pacer, int64_t now)
{
    pacer.SaveEnergy(g_display.SavingEnergy());
    return pacer.SleepAfterFrame(now, g_active);
}
