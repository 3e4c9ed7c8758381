// raivel: the storm for Linux desktops, as an xscreensaver hack or on its
// own: the same scene and bolt as the Windows renderer in an X11 window with
// a GLX context.

#include <cstdio>

#include "add_to_xscreensaver.h"
#include "bitmap_loader.h"
#include "cloud_picture.h"
#include "desktop_picture.h"
#include "glx_window.h"
#include "raivel_options.h"
#include "scene.h"
#include "stop_signals.h"
#include "x11_frame_loop.h"

namespace {

// Shows the window and starts the scene in it: the built-in clouds for the
// sky, the desktop picture (or none) for the floor.
bool StartStorm(GlxWindow& target, const RgbImage* desktop)
{
    ShowWindow(target);
    if (!CreateContext(target))
        return false;
    ResizeScene(target.width, target.height);
    RgbImage* clouds = DecodeDibImage(kCloudPicture, kCloudPictureSize);
    const bool started = InitSceneFromImages(clouds, desktop);
    FreeRgbImage(clouds);
    return started;
}

} // namespace

int main(int argc, char** argv)
{
    RaivelOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsageText, stderr);
        return 1;
    }
    if (options.addToXscreensaver)
        return AddToXscreensaver();
    CatchStopSignals();

    GlxWindow target;
    int status = 1;
    if (OpenDisplay(target) && PrepareWindow(target, options)) {
        // The desktop as it is now, before our window covers it.
        RgbImage* desktop = GrabDesktopPicture(target.display, target.window, target.own);
        const bool started = !g_stopRequested && StartStorm(target, desktop);
        FreeRgbImage(desktop);
        if (started)
            status = RunFrameLoop(target, options);
        else if (g_stopRequested)
            status = 0;
    }
    CloseWindow(target);
    return status;
}
