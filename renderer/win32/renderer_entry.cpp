// The renderer program, its storms on the other monitors with the contexts
// the driver gives.

#include "monitor_context.h"
#include "renderer_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunRenderer(CreateMonitorContext);
}
