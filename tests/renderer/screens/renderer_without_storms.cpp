// A renderer whose other monitors get no rendering context, as on a driver
// that refuses one: their storms do not start (screen_covers_test.sh).

#include "renderer_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunRenderer([](HDC, HGLRC) -> HGLRC { return nullptr; });
}
