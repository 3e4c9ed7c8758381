#include "wallpaper_source.h"

#include <windows.h>

#include <shobjidl.h>

namespace {

// A string that COM allocated, as ours.
std::optional<std::wstring> Taken(HRESULT result, LPWSTR text)
{
    if (FAILED(result) || !text)
        return std::nullopt;
    std::wstring copy = text;
    CoTaskMemFree(text);
    return copy;
}

class ComDesktopWallpaper : public DesktopWallpaperApi {
public:
    explicit ComDesktopWallpaper(IDesktopWallpaper* api) : api_(api) {}

    unsigned MonitorCount() override
    {
        UINT count = 0;
        return SUCCEEDED(api_->GetMonitorDevicePathCount(&count)) ? count : 0;
    }
    std::optional<std::wstring> MonitorId(unsigned index) override
    {
        LPWSTR id = nullptr;
        const HRESULT result = api_->GetMonitorDevicePathAt(index, &id);
        return Taken(result, id);
    }
    std::optional<PixelArea> MonitorArea(const std::wstring& id) override
    {
        RECT area;
        if (FAILED(api_->GetMonitorRECT(id.c_str(), &area)))
            return std::nullopt;
        return PixelArea{area.left, area.top, area.right - area.left, area.bottom - area.top};
    }
    std::optional<std::wstring> Wallpaper(const std::wstring& id) override
    {
        LPWSTR path = nullptr;
        const HRESULT result = api_->GetWallpaper(id.c_str(), &path);
        return Taken(result, path);
    }
    std::optional<int> Position() override
    {
        DESKTOP_WALLPAPER_POSITION position;
        if (FAILED(api_->GetPosition(&position)))
            return std::nullopt;
        return static_cast<int>(position);
    }
    std::optional<uint32_t> Background() override
    {
        COLORREF colour;
        if (FAILED(api_->GetBackgroundColor(&colour)))
            return std::nullopt;
        return colour;
    }

private:
    IDesktopWallpaper* api_;
};

std::optional<WallpaperSetting> InterfaceWallpaper(const PixelArea& monitor)
{
    IDesktopWallpaper* api = nullptr;
    if (FAILED(
            CoCreateInstance(__uuidof(DesktopWallpaper), nullptr, CLSCTX_ALL, IID_PPV_ARGS(&api))))
        return std::nullopt;
    ComDesktopWallpaper wallpaper(api);
    std::optional<WallpaperSetting> setting = MonitorWallpaper(wallpaper, monitor);
    api->Release();
    return setting;
}

std::wstring DesktopValue(const wchar_t* name)
{
    wchar_t value[16] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// Windows before 8, and Wine.
WallpaperSetting SettingsWallpaper()
{
    WallpaperSetting setting;
    wchar_t path[MAX_PATH] = {};
    if (SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0))
        setting.picture = path;
    setting.style =
        StyleOfRegistry(DesktopValue(L"WallpaperStyle"), DesktopValue(L"TileWallpaper"));
    setting.background = GetSysColor(COLOR_DESKTOP);
    return setting;
}

std::wstring WindowsCopy()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsW(
        L"%APPDATA%\\Microsoft\\Windows\\Themes\\TranscodedWallpaper", path, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? path : L"";
}

} // namespace

WallpaperSetting CurrentWallpaper(const PixelArea& monitor)
{
    std::optional<WallpaperSetting> setting = InterfaceWallpaper(monitor);
    if (!setting)
        setting = SettingsWallpaper();
    if (!setting->picture.empty() &&
        GetFileAttributesW(setting->picture.c_str()) == INVALID_FILE_ATTRIBUTES)
        setting->picture = WindowsCopy();
    return *setting;
}
