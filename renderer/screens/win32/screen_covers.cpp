#include "screen_covers.h"

#include <vector>

#include "cover_layout.h"

namespace {

const char kCoverClass[] = "Zandrel_Cover";
const char kCoverName[] = "Zandrel_Cover";

std::vector<HWND> g_covers;
std::vector<ScreenRect> g_coverRects;
bool g_classRegistered = false;

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CLOSE:
        return 0; // a cover goes with the storm, not on its own
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ScreenRect FromRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(FromRect(info.rcMonitor));
    return TRUE;
}

std::vector<ScreenRect> WantedCovers()
{
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    MONITORINFO primary = {};
    primary.cbSize = sizeof primary;
    // Without the primary's rectangle nothing is safe to cover.
    if (!GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary))
        return {};
    return CoverRects(monitors, FromRect(primary.rcMonitor));
}

void MoveCover(HWND cover, const ScreenRect& rect)
{
    SetWindowPos(cover, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

HWND MakeCover(HWND storm, const ScreenRect& rect)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!g_classRegistered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CoverProc;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = kCoverClass;
        g_classRegistered = RegisterClassA(&windowClass) != 0;
    }
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass,
                                 kCoverName, WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, storm, nullptr, instance, nullptr);
    if (cover)
        ShowWindow(cover, SW_SHOWNOACTIVATE);
    return cover;
}

} // namespace

void PlaceScreenCovers(HWND storm)
{
    const std::vector<ScreenRect> wanted = WantedCovers();
    if (wanted == g_coverRects)
        return;
    const CoverChange change = PlanCoverChange(g_coverRects, wanted);
    // The new places are covered before any cover goes: no monitor shows
    // the desktop in between.
    std::vector<HWND> covers;
    std::vector<ScreenRect> rects;
    for (size_t i = 0; i < g_covers.size(); ++i) {
        if (!change.kept[i])
            continue;
        MoveCover(g_covers[i], *change.kept[i]);
        covers.push_back(g_covers[i]);
        rects.push_back(*change.kept[i]);
    }
    for (const ScreenRect& rect : change.added) {
        if (HWND cover = MakeCover(storm, rect)) {
            covers.push_back(cover);
            rects.push_back(rect);
        }
    }
    for (size_t i = 0; i < g_covers.size(); ++i)
        if (!change.kept[i])
            DestroyWindow(g_covers[i]);
    g_covers = std::move(covers);
    g_coverRects = std::move(rects);
}

void RemoveScreenCovers()
{
    for (HWND cover : g_covers)
        if (IsWindow(cover))
            DestroyWindow(cover);
    g_covers.clear();
    g_coverRects.clear();
    if (g_classRegistered)
        UnregisterClassA(kCoverClass, GetModuleHandleA(nullptr));
    g_classRegistered = false;
}
