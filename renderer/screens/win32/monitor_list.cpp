#include "monitor_list.h"

#include <windows.h>

namespace {

ScreenRect FromRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list)
{
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
            {info.szDevice, FromRect(info.rcMonitor)});
    return TRUE;
}

} // namespace

std::vector<Monitor> ListMonitors()
{
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::optional<ScreenRect> PrimaryArea()
{
    MONITORINFO primary = {};
    primary.cbSize = sizeof primary;
    if (!GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary))
        return std::nullopt;
    return FromRect(primary.rcMonitor);
}
