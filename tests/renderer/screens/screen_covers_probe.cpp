// screen_covers_probe monitors|covers|displaychange: what Windows says of
// the monitors and of the renderer's covers, for screen_covers_test.sh.
//   monitors       "monitor LEFT TOP RIGHT BOTTOM [primary]" for each monitor
//   covers         "cover LEFT TOP RIGHT BOTTOM FLAGS" for each cover, FLAGS
//                  naming what it must be (topmost, tool window, no
//                  activation, visible, no cursor, refuses activation by a
//                  click), then "foreground CLASS"
//   displaychange  asks for the renderer's display mode again, which has
//                  Wine read the monitors anew, then sends WM_DISPLAYCHANGE
//                  to the renderer's window, as Windows does when the
//                  monitors change

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, RECT*, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& area = info.rcMonitor;
    std::printf("monitor %ld %ld %ld %ld%s\n", area.left, area.top, area.right, area.bottom,
                info.dwFlags & MONITORINFOF_PRIMARY ? " primary" : "");
    return TRUE;
}

std::string CoverFlags(HWND cover)
{
    const LONG_PTR extended = GetWindowLongPtrA(cover, GWL_EXSTYLE);
    std::string flags;
    flags += extended & WS_EX_TOPMOST ? "topmost" : "-";
    flags += extended & WS_EX_TOOLWINDOW ? ",toolwindow" : ",-";
    flags += extended & WS_EX_NOACTIVATE ? ",noactivate" : ",-";
    flags += IsWindowVisible(cover) ? ",visible" : ",-";
    flags += GetClassLongPtrA(cover, GCLP_HCURSOR) == 0 ? ",nocursor" : ",-";
    const LRESULT click =
        SendMessageA(cover, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(GetAncestor(cover, GA_ROOT)),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    flags += click == MA_NOACTIVATE ? ",clickstays" : ",-";
    return flags;
}

} // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    const char* command = argc == 2 ? argv[1] : "";
    if (std::strcmp(command, "monitors") == 0) {
        EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
        return 0;
    }
    if (std::strcmp(command, "covers") == 0) {
        for (HWND cover = FindWindowExA(nullptr, nullptr, "Zandrel_Cover", nullptr); cover;
             cover = FindWindowExA(nullptr, cover, "Zandrel_Cover", nullptr)) {
            RECT area;
            GetWindowRect(cover, &area);
            std::printf("cover %ld %ld %ld %ld %s %p\n", area.left, area.top, area.right,
                        area.bottom, CoverFlags(cover).c_str(), static_cast<void*>(cover));
        }
        char className[64] = "none";
        if (HWND foreground = GetForegroundWindow())
            GetClassNameA(foreground, className, sizeof className);
        std::printf("foreground %s\n", className);
        return 0;
    }
    if (std::strcmp(command, "displaychange") == 0) {
        HWND storm = FindWindowA("OpenGL", "Zandrel_VC");
        if (!storm)
            return 1;
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = 1024;
        mode.dmPelsHeight = 768;
        mode.dmBitsPerPel = 32;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
        SendMessageA(storm, WM_DISPLAYCHANGE, 32,
                     MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
        return 0;
    }
    std::fprintf(stderr, "usage: screen_covers_probe monitors|covers|displaychange\n");
    return 2;
}
