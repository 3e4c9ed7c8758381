#pragma once

#include <cstdint>

#include "display_state.h"
#include "step_pacer.h"

// The frame loop's decisions, the same in every platform shell: the shell
// handles one waiting message (or window event) per pass; on a pass with
// none waiting it waits for one while the display is off, and otherwise,
// once the pacer's sleep is over (or Escape is held), it runs
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

// Whether a pass with no message waiting draws a frame: not while the
// display is off (display_state.h), when the shell waits for its next
// message instead. The storm stands still meanwhile; once the display is
// back its first frame is one step on from the last one drawn.
bool DisplayWantsFrames(StepPacer& pacer);

// A pass with no message waiting, at `now`: advances the storm by the steps
// the pacer finds due and draws the frame, while the window is active (while
// it is minimised the steps are dropped: the storm stands still). False when
// the loop is to end (Escape held); the shell presents the frame otherwise,
// minimised or not.
bool RunIdlePass(StepPacer& pacer, int64_t now);

// The frame is presented (its buffer swap returned at `now`): how long to
// sleep before the next pass, at the pace the pacer keeps while energy is
// saved or not.
int64_t SleepAfterPresent(StepPacer& pacer, int64_t now);
