#include "renderer_window.h"

#include "display_notices.h"
#include "frame_loop.h"
#include "handoff.h"
#include "pixel_format.h"
#include "scene.h"
#include "scene_start.h"
#include "screen_covers.h"
#include "screen_storms.h"
#include "startup_marks.h"
#include "vertical_sync.h"

bool g_fullscreen = true;
HINSTANCE g_instance = nullptr;
HWND g_window = nullptr;
HDC g_deviceContext = nullptr;
HGLRC g_renderingContext = nullptr;

namespace {

bool RegisterRendererClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RendererWndProc;
    windowClass.hInstance = g_instance;
    windowClass.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kRendererWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

// Asks for width x height at `bits` per pixel until the program ends.
bool SwitchDisplayMode(int width, int height, int bits)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

} // namespace

int CreateRendererWindow(int width, int height, int bits, bool fullscreen)
{
    g_fullscreen = fullscreen;
    g_instance = GetModuleHandleA(nullptr);
    // The other monitors' desktops, as the user left them, taken on a thread
    // while the class is registered: the mode change may move them and
    // repaint their windows.
    BeginStormFloors();
    if (!RegisterRendererClass()) {
        RemoveScreenStorms();
        return 0;
    }

    AwaitStormFloorsTaken();
    MarkStartup("other monitors' desktops");
    if (g_fullscreen && !SwitchDisplayMode(width, height, bits))
        g_fullscreen = false; // run in a window instead
    MarkStartup("display mode");

    DWORD style;
    DWORD extendedStyle;
    if (g_fullscreen) {
        style = WS_POPUP;
        extendedStyle = WS_EX_APPWINDOW;
        ShowCursor(FALSE);
    } else {
        style = WS_DLGFRAME;
        extendedStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    }
    // Windows gives every overlapped window a caption: the frame allows for
    // it, so that the client area keeps the requested size.
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, g_fullscreen ? style : style | WS_CAPTION, FALSE, extendedStyle);

    g_window =
        CreateWindowExA(extendedStyle, kRendererWindowClass, kRendererWindowName,
                        style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, g_instance, nullptr);
    MarkStartup("window");
    if (g_window)
        g_deviceContext = GetDC(g_window);
    if (g_deviceContext && SetStormPixelFormat(g_deviceContext, bits))
        g_renderingContext = wglCreateContext(g_deviceContext);
    if (!g_renderingContext || !wglMakeCurrent(g_deviceContext, g_renderingContext)) {
        DestroyRendererWindow();
        return 0;
    }

    MarkStartup("rendering context");
    RequestVerticalSync();

    ShowWindow(g_window, SW_SHOW);
    SetForegroundWindow(g_window);
    SetFocus(g_window);
    // The other monitors go black with the primary's window, in the mode we
    // run in, until their storms start after the first frame.
    PlaceScreenCovers(g_window);
    ResizeScene(width, height);
    MarkStartup("window shown");
    if (!StartStormScene()) {
        DestroyRendererWindow();
        return 0;
    }
    return 1;
}

void DestroyRendererWindow()
{
    RemoveScreenStorms();
    if (g_fullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    if (g_renderingContext) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(g_renderingContext);
        g_renderingContext = nullptr;
    }
    if (g_deviceContext) {
        ReleaseDC(g_window, g_deviceContext);
        g_deviceContext = nullptr;
    }
    if (g_window) {
        DestroyWindow(g_window);
        g_window = nullptr;
    }
    RemoveScreenCovers();
    UnregisterClassA(kRendererWindowClass, g_instance);
}

LRESULT CALLBACK RendererWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        g_active = HIWORD(wParam) == 0; // false only while minimized
        return 0;
    case WM_SYSCOMMAND:
        // Neither a screen saver nor monitor power-saving while we run.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        SetKeyHeld(wParam, message == WM_KEYDOWN);
        return 0;
    case WM_SIZE:
        ResizeScene(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_POWERBROADCAST:
        if (TakeDisplayNotice(wParam, lParam))
            return TRUE;
        break;
    case WM_DISPLAYCHANGE:
        // The monitors may have moved, come or gone. Before the window is
        // shown (a start-up that fails restores the display) nothing is
        // covered yet.
        if (IsWindowVisible(window)) {
            PlaceScreenCovers(window);
            FollowScreenStorms();
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
