#include "monitor_pictures.h"

#include <windows.h>

#include "desktop_background.h"
#include "mirrored_image.h"
#include "monitor_list.h"
#include "screen_saver_desktop.h"

namespace {

RECT RectOf(const ScreenRect& area)
{
    return {area.left, area.top, area.right, area.bottom};
}

// What `draw` puts into a bottom-up 32-bit DIB section of `area`'s size,
// mirrored; null when it fails.
template <class Draw> RgbImage* Picture(const ScreenRect& area, Draw draw)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = section ? CreateCompatibleDC(nullptr) : nullptr;
    RgbImage* picture = nullptr;
    if (memory) {
        const HGDIOBJ before = SelectObject(memory, section);
        if (draw(memory)) {
            GdiFlush();
            picture = MirroredRgbImage(static_cast<const uint8_t*>(bits), width, height,
                                       {false, false}); // a bottom-up DIB
        }
        SelectObject(memory, before);
        DeleteDC(memory);
    }
    if (section)
        DeleteObject(section);
    return picture;
}

} // namespace

std::vector<MonitorPicture> CaptureOtherMonitors()
{
    std::vector<MonitorPicture> pictures;
    const std::optional<ScreenRect> primary = PrimaryArea();
    if (!primary)
        return pictures;
    const RECT box = VirtualScreen();
    const ScreenRect screen{box.left, box.top, box.right, box.bottom};
    const bool wallpapers = OnScreenSaverDesktop();
    HDC desktop = wallpapers ? nullptr : GetDC(nullptr);
    for (const Monitor& monitor : ListMonitors()) {
        if (!HasStormPlace(monitor.area, *primary))
            continue;
        if (wallpapers) {
            pictures.push_back({monitor.device, nullptr, monitor.area, screen});
        } else if (RgbImage* picture = Picture(monitor.area, [&](HDC memory) {
                       return desktop &&
                              BitBlt(memory, 0, 0, monitor.area.right - monitor.area.left,
                                     monitor.area.bottom - monitor.area.top, desktop,
                                     monitor.area.left, monitor.area.top, SRCCOPY);
                   })) {
            pictures.push_back({monitor.device, picture, monitor.area, screen});
        }
    }
    if (desktop)
        ReleaseDC(nullptr, desktop);
    return pictures;
}

void PaintWallpaperFloors(std::vector<MonitorPicture>& floors)
{
    std::vector<MonitorPicture> painted;
    for (MonitorPicture& floor : floors) {
        if (!floor.picture)
            floor.picture = Picture(floor.area, [&](HDC memory) {
                DrawDesktopBackground(memory, RectOf(floor.area), RectOf(floor.screen));
                return true;
            });
        if (floor.picture)
            painted.push_back(floor);
    }
    floors = std::move(painted);
}
