#include "vertical_sync.h"

#include "swap_interval.h"

// One frame per refresh where the driver offers the choice, so that the storm
// keeps its pace and leaves the processor alone on a driver that would
// otherwise not wait for the display.
void RequestVerticalSync()
{
    SetSwapInterval(1);
}
