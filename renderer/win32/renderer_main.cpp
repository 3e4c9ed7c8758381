// The renderer program: a full-screen storm at 1024 x 768 x 32 until Escape
// or a close request.

#include <windows.h>

#include "frame_loop.h"
#include "renderer_window.h"
#include "startup_marks.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MarkStartup("entry");
    g_fullscreen = true;
    if (!CreateRendererWindow(1024, 768, 32, g_fullscreen))
        return 0;

    // One message or one frame per pass: messages come first, and a frame is
    // drawn whenever the queue is empty.
    MSG message = {};
    bool done = false;
    bool presented = false;
    while (!done) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                done = true;
            } else {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else if (!RunIdlePass()) {
            done = true;
        } else {
            SwapBuffers(g_deviceContext);
            if (!presented) {
                presented = true;
                MarkStartup("first frame");
            }
        }
    }

    DestroyRendererWindow();
    return static_cast<int>(message.wParam);
}
