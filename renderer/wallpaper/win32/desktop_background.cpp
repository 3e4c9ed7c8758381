#include "desktop_background.h"

#include "wallpaper_picture.h"
#include "wallpaper_placement.h"
#include "wallpaper_source.h"

namespace {

// COM on this thread for as long as it lives, when it was not there.
class ComUse {
public:
    ComUse() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;
    ~ComUse()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }

private:
    HRESULT result_;
};

PixelArea AreaOf(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void FillWith(HDC dc, const RECT& area, HBRUSH brush)
{
    if (brush) {
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
}

// Draws `picture` at `place` on the monitor (see PlaceWallpaper), within
// `monitor`'s own rectangle.
void DrawPicture(HDC dc, const RECT& monitor, HBITMAP picture, const BITMAP& size,
                 const PixelArea& place, bool tiled)
{
    if (tiled) {
        SetBrushOrgEx(dc, static_cast<int>(place.left), static_cast<int>(place.top), nullptr);
        FillWith(dc, monitor, CreatePatternBrush(picture));
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    if (!source)
        return;
    const HGDIOBJ before = SelectObject(source, picture);
    // Averaged, not every n-th pixel: a photo scaled down stays smooth.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, static_cast<int>(place.left), static_cast<int>(place.top),
               static_cast<int>(place.width), static_cast<int>(place.height), source, 0, 0,
               size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(source, before);
    DeleteDC(source);
}

} // namespace

RECT VirtualScreen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void DrawDesktopBackground(HDC dc, const RECT& monitor, const RECT& screen)
{
    const ComUse com;
    const PixelArea area = AreaOf(monitor);
    const WallpaperSetting setting = CurrentWallpaper(area);
    const RECT whole = {0, 0, static_cast<LONG>(area.width), static_cast<LONG>(area.height)};
    FillWith(dc, whole, CreateSolidBrush(setting.background));
    if (setting.picture.empty())
        return;
    const HBITMAP picture = DecodeWallpaper(setting.picture);
    if (!picture)
        return;
    BITMAP size = {};
    GetObjectW(picture, sizeof size, &size);
    const std::optional<PixelArea> place =
        PlaceWallpaper(setting.style, size.bmWidth, size.bmHeight, area, AreaOf(screen));
    if (place)
        DrawPicture(dc, whole, picture, size, *place, setting.style == WallpaperStyle::Tile);
    DeleteObject(picture);
}
