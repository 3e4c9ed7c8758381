// A renderer whose other monitors get no rendering context, as on a driver
// that refuses one: their storms do not start (screen_covers_test.sh).

#include "monitor_context.h"

HGLRC CreateMonitorContext(HDC, HGLRC)
{
    return nullptr;
}
