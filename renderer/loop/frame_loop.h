#pragma once

#include <cstdint>

#include "step_pacer.h"

// The frame loop's decisions, the same in every platform shell: the shell
// handles one waiting message (or window event) per pass; on a pass with
// none waiting, once the pacer's sleep is over (or Escape is held), it runs
// RunIdlePass, presents the frame and asks SleepAfterPresent how long to
// sleep before the next one, serving messages meanwhile. A close request
// ends the loop through the shell's own quit message. Times are microseconds
// of a monotonic clock.

// The key table's code for Escape (Windows' virtual-key code).
constexpr unsigned kEscapeKey = 27;

// True while the window is not minimised: frames are drawn only then.
extern bool g_active;
// Keys held down, by key code; only Escape is read.
extern bool g_keys[256];

// Records a key going down or up. Key messages can be posted by anyone:
// codes past the table are ignored.
void SetKeyHeld(unsigned long code, bool held);

// Escape is held: the loop ends at its next pass with no message waiting.
bool EscapeHeld();

// A pass with no message waiting, at `now`: advances the storm by the steps
// the pacer finds due and draws the frame, while the window is active (while
// it is minimised the steps are dropped: the storm stands still). False when
// the loop is to end (Escape held); the shell presents the frame otherwise,
// minimised or not.
bool RunIdlePass(StepPacer& pacer, int64_t now);

// The frame is presented (its buffer swap returned at `now`): how long to
// sleep before the next pass.
int64_t SleepAfterPresent(StepPacer& pacer, int64_t now);
