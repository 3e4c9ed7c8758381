#pragma once

#include "glx_window.h"
#include "raivel_options.h"

// Runs the storm until Escape is held, our window is closed or a stop signal
// arrives: one waiting X event per pass, and on a pass with none the shared
// idle pass, the frame put on the window and the sleep the pacer asks for;
// nothing while the server has the monitor powered down. Returns the exit
// code: 1 when the window was destroyed under us, else 0.
int RunFrameLoop(const GlxWindow& target, const RaivelOptions& options);
