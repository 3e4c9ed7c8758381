#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "wallpaper_placement.h"

// What Windows shows on a monitor behind every window: its wallpaper, where
// that goes, and the background colour round it.
struct WallpaperSetting {
    std::wstring picture; // the picture file's path; empty for none
    WallpaperStyle style = WallpaperStyle::Fill;
    uint32_t background = 0; // 0x00BBGGRR
};

// The style that the `WallpaperStyle` and `TileWallpaper` values under
// HKCU\Control Panel\Desktop give ("0" with tiling "1" tiles); an unknown
// style is Windows' own choice for one, Fill.
WallpaperStyle StyleOfRegistry(const std::wstring& style, const std::wstring& tile);

// The few calls of Windows' desktop wallpaper interface (IDesktopWallpaper,
// Windows 8 and later) that tell what a monitor shows. Monitors are named
// by the ids the interface gives; a call that fails gives nothing.
class DesktopWallpaperApi {
public:
    virtual ~DesktopWallpaperApi() = default;
    virtual unsigned MonitorCount() = 0;
    virtual std::optional<std::wstring> MonitorId(unsigned index) = 0;
    // In the virtual screen's pixels.
    virtual std::optional<PixelArea> MonitorArea(const std::wstring& id) = 0;
    virtual std::optional<std::wstring> Wallpaper(const std::wstring& id) = 0;
    // DESKTOP_WALLPAPER_POSITION: 0 center, 1 tile, 2 stretch, 3 fit, 4 fill,
    // 5 span.
    virtual std::optional<int> Position() = 0;
    virtual std::optional<uint32_t> Background() = 0;
};

// What the interface says the monitor at `monitor` shows; nothing when it
// knows no monitor there or cannot say.
std::optional<WallpaperSetting> MonitorWallpaper(DesktopWallpaperApi& api,
                                                 const PixelArea& monitor);
