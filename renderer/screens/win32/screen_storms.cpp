#include "screen_storms.h"

#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gl_headers.h"
#include "monitor_list.h"
#include "monitor_pictures.h"
#include "scene.h"
#include "screen_window.h"

namespace {

struct Storm {
    std::string device;
    HWND window;
    HDC dc; // the window's own (ScreenWindow::Storm)
    HGLRC context;
    GLuint floor;
    ScreenRect area;
};

std::vector<MonitorPicture> g_floors;
std::thread g_floorTaker;
std::future<void> g_floorsTaken; // ready once the screen is read
std::vector<Storm> g_storms;

// The context current when it is made, current again when it goes.
class KeepCurrentContext {
public:
    KeepCurrentContext() : dc_(wglGetCurrentDC()), context_(wglGetCurrentContext()) {}
    KeepCurrentContext(const KeepCurrentContext&) = delete;
    KeepCurrentContext& operator=(const KeepCurrentContext&) = delete;
    ~KeepCurrentContext() { wglMakeCurrent(dc_, context_); }
    HGLRC Context() const { return context_; }

private:
    HDC dc_;
    HGLRC context_;
};

// Where the monitor named `device` is now, when it can show its storm.
std::optional<ScreenRect> StormPlace(const std::string& device)
{
    const std::optional<ScreenRect> primary = PrimaryArea();
    if (primary)
        for (const Monitor& monitor : ListMonitors())
            if (monitor.device == device && HasStormPlace(monitor.area, *primary))
                return monitor.area;
    return std::nullopt;
}

void ResizeStorm(const ScreenRect& area)
{
    ResizeScene(area.right - area.left, area.bottom - area.top);
}

// Needs another context current (or none) when it returns.
void EndStorm(const Storm& storm)
{
    if (wglMakeCurrent(storm.dc, storm.context))
        glDeleteTextures(1, &storm.floor);
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(storm.context);
    DestroyWindow(storm.window);
}

void FreeFloors()
{
    for (const MonitorPicture& floor : g_floors)
        FreeRgbImage(floor.picture);
    g_floors.clear();
}

} // namespace

void BeginStormFloors()
{
    std::promise<void> taken;
    g_floorsTaken = taken.get_future();
    g_floorTaker = std::thread([taken = std::move(taken)]() mutable {
        g_floors = CaptureOtherMonitors();
        taken.set_value();
        PaintWallpaperFloors(g_floors);
    });
}

void AwaitStormFloorsTaken()
{
    if (g_floorsTaken.valid())
        g_floorsTaken.wait();
}

void AwaitStormFloors()
{
    if (g_floorTaker.joinable())
        g_floorTaker.join();
}

void StartScreenStorms(HWND primary, StormContextMaker makeContext)
{
    AwaitStormFloors();
    const KeepCurrentContext primaryContext;
    for (const MonitorPicture& floor : g_floors) {
        const std::optional<ScreenRect> area = StormPlace(floor.device);
        HWND window = area ? MakeScreenWindow(primary, *area, ScreenWindow::Storm) : nullptr;
        HDC dc = window ? GetDC(window) : nullptr;
        HGLRC context = dc ? makeContext(dc, primaryContext.Context()) : nullptr;
        if (!context) {
            if (window)
                DestroyWindow(window);
            continue;
        }
        PrepareSceneContext();
        ResizeStorm(*area);
        g_storms.push_back(
            {floor.device, window, dc, context, BuildSceneTexture(floor.picture), *area});
    }
    FreeFloors();
}

void DrawScreenStorms()
{
    if (g_storms.empty())
        return;
    const KeepCurrentContext primary;
    for (const Storm& storm : g_storms) {
        if (!wglMakeCurrent(storm.dc, storm.context))
            continue;
        DrawSceneWith(g_cloudTexture, storm.floor);
        // Sent to the driver now: the swap has only to show it.
        glFlush();
    }
}

void ShowScreenStorms()
{
    for (const Storm& storm : g_storms)
        SwapBuffers(storm.dc);
}

void FollowScreenStorms()
{
    const KeepCurrentContext primary;
    std::vector<Storm> kept;
    for (Storm& storm : g_storms) {
        const std::optional<ScreenRect> area = StormPlace(storm.device);
        if (!area) {
            EndStorm(storm);
            continue;
        }
        // Over the covers, which have just been moved to the top.
        MoveScreenWindow(storm.window, *area);
        if ((area->right - area->left != storm.area.right - storm.area.left ||
             area->bottom - area->top != storm.area.bottom - storm.area.top) &&
            wglMakeCurrent(storm.dc, storm.context))
            ResizeStorm(*area);
        storm.area = *area;
        kept.push_back(storm);
    }
    g_storms = std::move(kept);
}

void RemoveScreenStorms()
{
    {
        const KeepCurrentContext primary;
        for (const Storm& storm : g_storms)
            EndStorm(storm);
    }
    g_storms.clear();
    AwaitStormFloors();
    FreeFloors();
    ForgetScreenWindowClass(ScreenWindow::Storm);
}
