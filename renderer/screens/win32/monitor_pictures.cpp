#include "monitor_pictures.h"

#include <windows.h>

#include "mirrored_image.h"
#include "monitor_list.h"

namespace {

// The screen's pixels in `area`, through a bottom-up 32-bit DIB section.
RgbImage* CaptureArea(HDC screen, const ScreenRect& area)
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
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = section ? CreateCompatibleDC(screen) : nullptr;
    RgbImage* picture = nullptr;
    if (memory) {
        const HGDIOBJ before = SelectObject(memory, section);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
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
    HDC screen = primary ? GetDC(nullptr) : nullptr;
    if (!screen)
        return pictures;
    for (const Monitor& monitor : ListMonitors())
        if (HasStormPlace(monitor.area, *primary))
            if (RgbImage* picture = CaptureArea(screen, monitor.area))
                pictures.push_back({monitor.device, picture});
    ReleaseDC(nullptr, screen);
    return pictures;
}
