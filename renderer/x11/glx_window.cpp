#include "glx_window.h"

#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kOwnWidth = 1024;
constexpr int kOwnHeight = 768;
const char kOwnTitle[] = "Raivel";

// While set, X errors are counted here instead of ending the program: the
// window id we were given is being checked.
int* g_trappedErrors = nullptr;

// Ends the program at once, once the caller has written its line on
// standard error: nothing is torn down on a display that failed under us.
[[noreturn]] void Fail()
{
    std::fflush(stdout);
    _exit(1);
}

int OnXError(Display* display, XErrorEvent* error)
{
    if (g_trappedErrors) {
        ++*g_trappedErrors;
        return 0;
    }
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        ReportWindowGone(error->resourceid);
    } else {
        char reason[100];
        XGetErrorText(display, error->error_code, reason, sizeof reason);
        std::fprintf(stderr, "raivel: X error: %s\n", reason);
    }
    Fail();
}

int OnXConnectionLost(Display*)
{
    std::fputs("raivel: lost the connection to the X display\n", stderr);
    Fail();
}

// Whether `name` is one of the blank-separated words of `list`.
bool HasExtension(const char* list, const char* name)
{
    const size_t length = std::strlen(name);
    for (const char* word = list; word && (word = std::strstr(word, name)); word += length) {
        const bool starts = word == list || word[-1] == ' ';
        if (starts && (word[length] == ' ' || word[length] == '\0'))
            return true;
    }
    return false;
}

// The window named by the options and the environment; false after a
// message when the text is no window id.
bool TargetWindowId(Display* display, const RaivelOptions& options, Window& window)
{
    const char* text = nullptr;
    if (options.target == TargetKind::WindowId)
        text = options.windowId.c_str();
    else if (const char* saver = std::getenv("XSCREENSAVER_WINDOW"); saver && *saver)
        text = saver;
    if (!text) {
        window = DefaultRootWindow(display);
        return true;
    }
    unsigned long id = 0;
    if (!ParseWindowId(text, id)) {
        std::fprintf(stderr, "raivel: bad window id \"%s\"\n", text);
        return false;
    }
    window = id;
    return true;
}

bool UseExistingWindow(GlxWindow& target, const RaivelOptions& options)
{
    if (!TargetWindowId(target.display, options, target.window))
        return false;
    int errors = 0;
    g_trappedErrors = &errors;
    XWindowAttributes attributes;
    const Status found = XGetWindowAttributes(target.display, target.window, &attributes);
    XSync(target.display, False);
    g_trappedErrors = nullptr;
    if (!found || errors) {
        std::fprintf(stderr, "raivel: no window 0x%lx\n", target.window);
        return false;
    }
    target.width = attributes.width;
    target.height = attributes.height;
    XSelectInput(target.display, target.window, StructureNotifyMask);
    return true;
}

bool CreateOwnWindow(GlxWindow& target)
{
    Display* display = target.display;
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
        8,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (!visual) {
        std::fputs("raivel: the display offers no double-buffered OpenGL visual\n", stderr);
        return false;
    }
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes settings = {};
    settings.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    settings.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask;
    target.window =
        XCreateWindow(display, root, 0, 0, kOwnWidth, kOwnHeight, 0, visual->depth, InputOutput,
                      visual->visual, CWColormap | CWEventMask | CWBorderPixel, &settings);
    XFree(visual);
    target.own = true;
    target.width = kOwnWidth;
    target.height = kOwnHeight;

    XStoreName(display, target.window, kOwnTitle);
    XClassHint names = {const_cast<char*>("raivel"), const_cast<char*>(kOwnTitle)};
    XSetClassHint(display, target.window, &names);
    target.closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, target.window, &target.closeRequest, 1);
    return true;
}

// Asks for one frame per display refresh through whichever extension GLX
// offers.
void RequestVerticalSync(const GlxWindow& target)
{
    const char* extensions =
        glXQueryExtensionsString(target.display, DefaultScreen(target.display));
    const auto address = [](const char* name) {
        return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
    };
    if (HasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapInterval = void (*)(Display*, GLXDrawable, int);
        if (const auto set = reinterpret_cast<SwapInterval>(address("glXSwapIntervalEXT")))
            set(target.display, target.window, 1);
    } else if (HasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapInterval = int (*)(unsigned);
        if (const auto set = reinterpret_cast<SwapInterval>(address("glXSwapIntervalMESA")))
            set(1);
    }
}

} // namespace

bool OpenDisplay(GlxWindow& target)
{
    target.display = XOpenDisplay(nullptr);
    if (!target.display) {
        const char* name = std::getenv("DISPLAY");
        std::fprintf(stderr, "raivel: cannot open display \"%s\"\n", name ? name : "");
        return false;
    }
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXConnectionLost);
    return true;
}

bool PrepareWindow(GlxWindow& target, const RaivelOptions& options)
{
    return options.target == TargetKind::OwnWindow ? CreateOwnWindow(target)
                                                   : UseExistingWindow(target, options);
}

void ShowWindow(const GlxWindow& target)
{
    if (target.own)
        XMapRaised(target.display, target.window);
}

bool CreateContext(GlxWindow& target)
{
    Display* display = target.display;
    XWindowAttributes attributes;
    XGetWindowAttributes(display, target.window, &attributes);
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    int usesGl = 0;
    int doubled = 0;
    if (visual) {
        glXGetConfig(display, visual, GLX_USE_GL, &usesGl);
        glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubled);
    }
    if (usesGl)
        target.context = glXCreateContext(display, visual, nullptr, True);
    if (visual)
        XFree(visual);
    if (!target.context || !glXMakeCurrent(display, target.window, target.context)) {
        std::fprintf(stderr, "raivel: no OpenGL context for window 0x%lx\n", target.window);
        return false;
    }
    target.doubleBuffered = doubled != 0;
    RequestVerticalSync(target);
    return true;
}

void PresentFrame(const GlxWindow& target)
{
    if (target.doubleBuffered)
        glXSwapBuffers(target.display, target.window);
    else
        glFlush();
}

void ReportWindowGone(Window window)
{
    std::fprintf(stderr, "raivel: window 0x%lx has gone\n", window);
}

void CloseWindow(GlxWindow& target)
{
    if (!target.display)
        return;
    if (target.context) {
        glXMakeCurrent(target.display, None, nullptr);
        glXDestroyContext(target.display, target.context);
    }
    if (target.own)
        XDestroyWindow(target.display, target.window);
    XCloseDisplay(target.display);
    target = GlxWindow{};
}
