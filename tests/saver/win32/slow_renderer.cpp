// slow_renderer: stands in for the renderer, but slow to start: its window
// "Zandrel_VC" comes only after a second, stays for two, then the program
// ends. The run form's tests copy it in as Raivel.dll.

#include <windows.h>

namespace {

constexpr DWORD kStartDelayMs = 1000;
constexpr UINT kShownMs = 2000;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Sleep(kStartDelayMs);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "SlowRenderer";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Zandrel_VC", WS_POPUP | WS_VISIBLE,
                                  0, 0, 64, 64, nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, kShownMs, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
