// wine_desktop: brings Wine's desktop up and keeps it there until the
// program is ended. Under Wine the desktop starts with the first program
// that needs it, and a capture of the screen taken before it is ready comes
// out black; Windows always has its desktop. The program opens a hidden
// window (which needs the desktop), prints "ready", then waits for messages.

#include <windows.h>

#include <cstdio>

int main()
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RaivelWineDesktop";
    if (!RegisterClassA(&windowClass) ||
        !CreateWindowA(windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                       windowClass.hInstance, nullptr)) {
        fprintf(stderr, "wine_desktop: no window (%lu)\n", GetLastError());
        return 1;
    }
    printf("ready\n");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
