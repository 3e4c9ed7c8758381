#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include "raivel_options.h"

// The X display, the window the storm is drawn in (our own or somebody
// else's) and its GLX context. Each step that fails prints one line on
// standard error and returns false.
struct GlxWindow {
    Display* display = nullptr;
    Window window = 0;
    bool own = false;
    int width = 0;
    int height = 0;
    // WM_DELETE_WINDOW: the close request of our own window.
    Atom closeRequest = 0;
    GLXContext context = nullptr;
    bool doubleBuffered = true;
};

// Opens the display named by DISPLAY. From then on an X error ends the
// program with one line on standard error and exit code 1: a window that
// vanishes under us is reported as gone.
bool OpenDisplay(GlxWindow& target);

// The window the options name: a new one of our own, not yet shown, titled
// "Raivel", or an existing one (XSCREENSAVER_WINDOW's or the root for -root,
// the given id for -window-id), whose size changes we then follow.
bool PrepareWindow(GlxWindow& target, const RaivelOptions& options);

// Shows our own window; nothing for somebody else's.
void ShowWindow(const GlxWindow& target);

// A GLX context on the window's own visual, made current, with one frame per
// display refresh where GLX lets us ask for it.
bool CreateContext(GlxWindow& target);

// Puts the drawn frame on the window.
void PresentFrame(const GlxWindow& target);

// The line on standard error for a window destroyed under us.
void ReportWindowGone(Window window);

// Releases the context, our own window and the display.
void CloseWindow(GlxWindow& target);
