#include "x11_frame_loop.h"

#include <GL/gl.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>

#include "display_power_watch.h"
#include "frame_loop.h"
#include "frame_rate_show.h"
#include "scene.h"
#include "stop_signals.h"
#include "tempo.h"

namespace {

enum class EventOutcome { Continue, Close, WindowGone };

EventOutcome HandleEvent(const GlxWindow& target, XEvent& event)
{
    switch (event.type) {
    case KeyPress:
    case KeyRelease:
        if (XLookupKeysym(&event.xkey, 0) == XK_Escape)
            SetKeyHeld(kEscapeKey, event.type == KeyPress);
        break;
    case ClientMessage:
        if (target.closeRequest &&
            static_cast<Atom>(event.xclient.data.l[0]) == target.closeRequest)
            return EventOutcome::Close;
        break;
    case ConfigureNotify:
        if (event.xconfigure.window == target.window)
            ResizeScene(event.xconfigure.width, event.xconfigure.height);
        break;
    case MapNotify:
    case UnmapNotify:
        // Frames are drawn only while the window can be seen.
        g_active = event.type == MapNotify;
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == target.window)
            return EventOutcome::WindowGone;
        break;
    default:
        break;
    }
    return EventOutcome::Continue;
}

// Waits for an X event until `until`, or until a stop signal: in slices of
// 10 ms, since the signal may land on another thread and leave the wait be.
void AwaitEvent(Display* display, int64_t until)
{
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    for (int64_t now = MonotonicMicroseconds(); now < until && !g_stopRequested;
         now = MonotonicMicroseconds()) {
        if (poll(&connection, 1,
                 static_cast<int>(std::min<int64_t>(until - now, 10000) / 1000 + 1)))
            return;
    }
}

} // namespace

int RunFrameLoop(const GlxWindow& target, const RaivelOptions& options)
{
    FramePacer pacer(options.delayMicroseconds);
    FrameRateShow rate(options, MonotonicMicroseconds());
    DisplayPowerWatch power(target.display);
    while (!g_stopRequested) {
        power.Check(MonotonicMicroseconds());
        if (XPending(target.display)) {
            XEvent event;
            XNextEvent(target.display, &event);
            const EventOutcome outcome = HandleEvent(target, event);
            if (outcome == EventOutcome::WindowGone) {
                ReportWindowGone(target.window);
                return 1;
            }
            if (outcome == EventOutcome::Close)
                return 0;
        } else if (!DisplayWantsFrames(pacer.Steps())) {
            // The monitor is off: nothing to draw until it is asked again.
            AwaitEvent(target.display, power.NextCheck());
        } else if (const int64_t start = MonotonicMicroseconds();
                   !RunIdlePass(pacer.Steps(), start)) {
            return 0;
        } else {
            rate.Draw();
            // For the load figure, the frame is finished before the clock
            // is read: Mesa's llvmpipe draws only once the swap asks for
            // the frame, and a driver may wait for the display there too,
            // so that timed up to the swap the load would leave the drawing
            // out, and timed past it, count the wait. After the swap, the
            // driver's wait for the display ends at once, wherever it puts
            // it, and not in the next frame's drawing. On a graphics card
            // each glFinish holds the processor until the card is done:
            // only when a figure is shown.
            const bool timed = rate.Shown();
            if (timed)
                glFinish();
            const int64_t drawn = MonotonicMicroseconds();
            PresentFrame(target);
            if (timed)
                glFinish();
            pacer.AwaitNextFrame();
            rate.CountFrame(MonotonicMicroseconds(), drawn - start, pacer.Steps().StepsTaken());
        }
    }
    return 0;
}
