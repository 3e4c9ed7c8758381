#pragma once

// Asks the driver to hold each buffer swap of the current context until
// `refreshes` display refreshes have passed (0: not at all), where it offers
// the choice (WGL_EXT_swap_control).
void SetSwapInterval(int refreshes);
