#pragma once

#include <cstdint>

// The bolt's random numbers: the linear congruential generator of the
// Microsoft C runtime's rand(), kept here so every platform shows the same
// storm. Never seeded: every run of the renderer starts from state 1.
extern uint32_t g_boltRandomState;

// Next number from 0 to 32767.
int BoltRand();
