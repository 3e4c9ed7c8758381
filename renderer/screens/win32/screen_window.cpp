#include "screen_window.h"

namespace {

struct WindowClass {
    const char* name;
    UINT style;
    bool registered;
};

WindowClass g_classes[] = {{"Zandrel_Cover", 0, false}, {"Zandrel_Storm", CS_OWNDC, false}};

WindowClass& ClassOf(ScreenWindow kind)
{
    return g_classes[kind == ScreenWindow::Cover ? 0 : 1];
}

LRESULT CALLBACK ScreenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CLOSE:
        return 0; // it goes with the storm, not on its own
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

HWND MakeScreenWindow(HWND owner, const ScreenRect& rect, ScreenWindow kind)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WindowClass& windowClass = ClassOf(kind);
    if (!windowClass.registered) {
        WNDCLASSA description = {};
        description.style = windowClass.style;
        description.lpfnWndProc = ScreenWindowProc;
        description.hInstance = instance;
        description.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        description.lpszClassName = windowClass.name;
        windowClass.registered = RegisterClassA(&description) != 0;
    }
    HWND window = CreateWindowExA(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.name, windowClass.name,
        WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, owner, nullptr, instance, nullptr);
    if (window)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void MoveScreenWindow(HWND window, const ScreenRect& rect)
{
    SetWindowPos(window, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ForgetScreenWindowClass(ScreenWindow kind)
{
    WindowClass& windowClass = ClassOf(kind);
    if (windowClass.registered)
        UnregisterClassA(windowClass.name, GetModuleHandleA(nullptr));
    windowClass.registered = false;
}
