#pragma once

#include <csignal>

// Set once SIGTERM, SIGINT or SIGHUP has arrived: xscreensaver ends its
// hacks with SIGTERM when the screen unblanks, and everything that waits
// looks at this flag often enough to end soon after.
extern volatile std::sig_atomic_t g_stopRequested;

// Catches the three signals.
void CatchStopSignals();
