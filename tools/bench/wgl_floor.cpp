// wgl_floor: the platform's floor for the renderer's start-up: a bare WGL
// program that opens a 1024 x 768 popup window at (0, 0) with the renderer's
// pixel format, and clears it to white and swaps until it is closed.

#include <windows.h>

#include <GL/gl.h>

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "WglFloor";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(WS_EX_APPWINDOW, windowClass.lpszClassName, "wgl_floor",
                                        WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 1024,
                                        768, nullptr, nullptr, instance, nullptr);
    const HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format);
    const HGLRC context = wglCreateContext(dc);
    wglMakeCurrent(dc, context);
    ShowWindow(window, SW_SHOW);

    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    MSG message = {};
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            DispatchMessageA(&message);
        } else {
            glClear(GL_COLOR_BUFFER_BIT);
            SwapBuffers(dc);
        }
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return 0;
}
