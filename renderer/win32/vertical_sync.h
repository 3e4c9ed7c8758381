#pragma once

// Asks the driver for one frame per display refresh (swap interval 1), where
// it offers the choice. Needs a current rendering context.
void RequestVerticalSync();
