#include "wallpaper_setting.h"

#include <iterator>

WallpaperStyle StyleOfRegistry(const std::wstring& style, const std::wstring& tile)
{
    if (style == L"0" || style.empty())
        return tile == L"1" ? WallpaperStyle::Tile : WallpaperStyle::Center;
    if (style == L"2")
        return WallpaperStyle::Stretch;
    if (style == L"6")
        return WallpaperStyle::Fit;
    if (style == L"22")
        return WallpaperStyle::Span;
    return WallpaperStyle::Fill; // "10"
}

std::optional<WallpaperSetting> MonitorWallpaper(DesktopWallpaperApi& api, const PixelArea& monitor)
{
    constexpr WallpaperStyle kPositions[] = {WallpaperStyle::Center,  WallpaperStyle::Tile,
                                             WallpaperStyle::Stretch, WallpaperStyle::Fit,
                                             WallpaperStyle::Fill,    WallpaperStyle::Span};
    const std::optional<int> position = api.Position();
    const std::optional<uint32_t> background = api.Background();
    if (!position || *position < 0 || *position >= static_cast<int>(std::size(kPositions)) ||
        !background)
        return std::nullopt;
    const unsigned count = api.MonitorCount();
    for (unsigned index = 0; index < count; ++index) {
        const std::optional<std::wstring> id = api.MonitorId(index);
        const std::optional<PixelArea> area = id ? api.MonitorArea(*id) : std::nullopt;
        if (!area || !(*area == monitor))
            continue;
        const std::optional<std::wstring> picture = api.Wallpaper(*id);
        if (!picture)
            return std::nullopt;
        return WallpaperSetting{*picture, kPositions[*position], *background};
    }
    return std::nullopt;
}
