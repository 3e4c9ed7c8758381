#include "renderer_main.h"

#include "display_notices.h"
#include "frame_loop.h"
#include "frame_timer.h"
#include "renderer_window.h"
#include "startup_marks.h"

int RunRenderer(StormContextMaker makeStormContext)
{
    MarkStartup("entry");
    g_fullscreen = true;
    if (!CreateRendererWindow(1024, 768, 32, g_fullscreen))
        return 0;
    ListenForDisplayNotices(g_window);

    // One message or one frame per pass: messages come first, and a frame is
    // drawn when the queue is empty and the pacer's sleep is over. The sleep
    // ends early for a message, so that Escape and the close request end the
    // loop at once. While the display is off the loop only waits for
    // messages: no step, no frame and no swap on any monitor.
    StepPacer pacer(kStepMicroseconds);
    const FrameTimer timer;
    int64_t nextFrame = 0;
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
        } else if (!EscapeHeld() && !DisplayWantsFrames(pacer)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        } else if (!EscapeHeld() && timer.Now() < nextFrame) {
            timer.WaitUntil(nextFrame);
        } else if (!RunIdlePass(pacer, timer.Now())) {
            done = true;
        } else {
            // Every monitor's frame is drawn, of the state the primary drew,
            // before any is shown; then they are shown one right after
            // another.
            if (g_active)
                DrawScreenStorms();
            SwapBuffers(g_deviceContext);
            if (g_active)
                ShowScreenStorms();
            if (!presented) {
                presented = true;
                MarkStartup("first frame");
                // Once the primary shows the storm; the pacer takes the
                // second frame one step on, however long the first stood.
                StartScreenStorms(g_window, makeStormContext);
            }
            const int64_t now = timer.Now();
            nextFrame = now + SleepAfterPresent(pacer, now);
        }
    }

    StopDisplayNotices();
    DestroyRendererWindow();
    return static_cast<int>(message.wParam);
}
