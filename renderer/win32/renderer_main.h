#pragma once

#include <windows.h>

#include "screen_storms.h"

// The renderer: a full-screen storm at 1024 x 768 x 32, and on every other
// monitor at its own size, each of those with a rendering context that
// `makeStormContext` makes, until Escape or a close request. Returns the
// program's exit code.
int RunRenderer(StormContextMaker makeStormContext);
