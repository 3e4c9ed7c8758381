#include "screen_covers.h"

#include <vector>

#include "cover_layout.h"
#include "monitor_list.h"
#include "screen_window.h"

namespace {

std::vector<HWND> g_covers;
std::vector<ScreenRect> g_coverRects;

std::vector<ScreenRect> WantedCovers()
{
    // Without the primary's rectangle nothing is safe to cover.
    const std::optional<ScreenRect> primary = PrimaryArea();
    if (!primary)
        return {};
    std::vector<ScreenRect> monitors;
    for (const Monitor& monitor : ListMonitors())
        monitors.push_back(monitor.area);
    return CoverRects(monitors, *primary);
}

} // namespace

void PlaceScreenCovers(HWND primary)
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
        MoveScreenWindow(g_covers[i], *change.kept[i]);
        covers.push_back(g_covers[i]);
        rects.push_back(*change.kept[i]);
    }
    for (const ScreenRect& rect : change.added) {
        if (HWND cover = MakeScreenWindow(primary, rect, ScreenWindow::Cover)) {
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
    ForgetScreenWindowClass(ScreenWindow::Cover);
}
