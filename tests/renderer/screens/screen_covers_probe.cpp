// screen_covers_probe monitors|covers|storms|displaychange: what Windows
// says of the monitors and of the renderer's covers and storms, for
// screen_covers_test.sh.
//   monitors       "monitor LEFT TOP RIGHT BOTTOM [primary]" for each monitor
//   covers         "cover LEFT TOP RIGHT BOTTOM FLAGS" for each cover, FLAGS
//                  naming what it must be (topmost, tool window, no
//                  activation, visible, no cursor, refuses activation by a
//                  click), then "foreground CLASS"
//   storms         the same of the storms' windows, "storm ..."
//   flash SECONDS X1 Y1 X2 Y2
//                  for SECONDS, screenshots of both floors, one after the
//                  other: for each, "LEVEL1 LEVEL2", the floor's brightness
//                  (the mean of each pixel's brighter of red and green) in
//                  the 200 x 40 pixels from each (X, Y)
//   displaychange  asks for the renderer's display mode again, which has
//                  Wine read the monitors anew, then sends WM_DISPLAYCHANGE
//                  to the renderer's window, as Windows does when the
//                  monitors change

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// The floors' brightness in each screenshot, as the flash command prints it.
void PrintFlashLevels(double seconds, const POINT (&floors)[2])
{
    constexpr int kFloorWidth = 200;
    constexpr int kFloorHeight = 40;
    // Each screenshot takes the least rectangle that holds both floors: the
    // smaller it is, the more often it is taken.
    const int left = std::min(floors[0].x, floors[1].x);
    const int top = std::min(floors[0].y, floors[1].y);
    const int width = std::max(floors[0].x, floors[1].x) + kFloorWidth - left;
    const int height = std::max(floors[0].y, floors[1].y) + kFloorHeight - top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    SelectObject(memory, shot);
    const auto* pixels = static_cast<const uint8_t*>(bits);
    std::string lines;
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    while (GetTickCount() < end) {
        // One screenshot: both floors as they were at one moment.
        BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
        GdiFlush();
        for (const POINT& floor : floors) {
            long sum = 0;
            for (int y = floor.y - top; y < floor.y - top + kFloorHeight; ++y)
                for (int x = floor.x - left; x < floor.x - left + kFloorWidth; ++x) {
                    const uint8_t* pixel = pixels + (static_cast<size_t>(y) * width + x) * 4;
                    sum += pixel[2] > pixel[1] ? pixel[2] : pixel[1];
                }
            char level[16];
            std::snprintf(level, sizeof level, "%.2f ",
                          static_cast<double>(sum) / (kFloorWidth * kFloorHeight));
            lines += level;
        }
        lines += "\n";
    }
    std::fputs(lines.c_str(), stdout);
    DeleteDC(memory);
    DeleteObject(shot);
    ReleaseDC(nullptr, screen);
}

} // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    const char* command = argc == 2 ? argv[1] : "";
    if (argc == 7 && std::strcmp(argv[1], "flash") == 0) {
        const POINT floors[2] = {{std::atoi(argv[3]), std::atoi(argv[4])},
                                 {std::atoi(argv[5]), std::atoi(argv[6])}};
        PrintFlashLevels(std::atof(argv[2]), floors);
        return 0;
    }
    if (std::strcmp(command, "monitors") == 0) {
        EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
        return 0;
    }
    const bool storms = std::strcmp(command, "storms") == 0;
    if (storms || std::strcmp(command, "covers") == 0) {
        const char* windowClass = storms ? "Zandrel_Storm" : "Zandrel_Cover";
        for (HWND cover = FindWindowExA(nullptr, nullptr, windowClass, nullptr); cover;
             cover = FindWindowExA(nullptr, cover, windowClass, nullptr)) {
            RECT area;
            GetWindowRect(cover, &area);
            std::printf("%s %ld %ld %ld %ld %s %p\n", storms ? "storm" : "cover", area.left,
                        area.top, area.right, area.bottom, CoverFlags(cover).c_str(),
                        static_cast<void*>(cover));
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
    std::fprintf(stderr,
                 "usage: screen_covers_probe monitors|covers|storms|displaychange|flash ...\n");
    return 2;
}
