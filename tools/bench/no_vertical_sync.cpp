// A benchmark build of the renderer that leaves the swap interval to the
// driver, for the frame rate without the request.

#include "vertical_sync.h"

void RequestVerticalSync()
{
}
