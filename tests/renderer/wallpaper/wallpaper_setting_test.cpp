#include <gtest/gtest.h>

#include <vector>

#include "wallpaper_setting.h"

namespace {

// Windows' desktop wallpaper interface as a script: Wine has none.
class ScriptedWallpaper : public DesktopWallpaperApi {
public:
    struct Monitor {
        std::wstring id;
        PixelArea area;
        std::wstring picture;
    };
    std::vector<Monitor> monitors;
    std::optional<int> position = 4;
    std::optional<uint32_t> background = 0x00804020;

    unsigned MonitorCount() override { return static_cast<unsigned>(monitors.size()); }
    std::optional<std::wstring> MonitorId(unsigned index) override { return monitors[index].id; }
    std::optional<PixelArea> MonitorArea(const std::wstring& id) override
    {
        return Find(id) ? std::optional<PixelArea>(Find(id)->area) : std::nullopt;
    }
    std::optional<std::wstring> Wallpaper(const std::wstring& id) override
    {
        return Find(id) ? std::optional<std::wstring>(Find(id)->picture) : std::nullopt;
    }
    std::optional<int> Position() override { return position; }
    std::optional<uint32_t> Background() override { return background; }

private:
    const Monitor* Find(const std::wstring& id) const
    {
        for (const Monitor& monitor : monitors)
            if (monitor.id == id)
                return &monitor;
        return nullptr;
    }
};

constexpr PixelArea kPrimary = {0, 0, 1920, 1080};
constexpr PixelArea kRight = {1920, 0, 1280, 1024};

} // namespace

TEST(WallpaperSetting, RegistryValuesGiveWindowsStyles)
{
    const struct {
        const wchar_t* style;
        const wchar_t* tile;
        WallpaperStyle is;
    } cases[] = {
        {L"0", L"0", WallpaperStyle::Center},  {L"0", L"1", WallpaperStyle::Tile},
        {L"2", L"0", WallpaperStyle::Stretch}, {L"6", L"0", WallpaperStyle::Fit},
        {L"10", L"0", WallpaperStyle::Fill},   {L"22", L"0", WallpaperStyle::Span},
    };
    for (const auto& item : cases)
        EXPECT_EQ(StyleOfRegistry(item.style, item.tile), item.is)
            << item.style << " " << item.tile;
}

TEST(WallpaperSetting, TheInterfaceGivesEachMonitorItsOwnPicture)
{
    ScriptedWallpaper api;
    api.monitors = {{L"\\\\?\\DISPLAY#1", kPrimary, L"C:\\a.jpg"},
                    {L"\\\\?\\DISPLAY#2", kRight, L"C:\\b.png"}};
    api.position = 3; // fit
    const std::optional<WallpaperSetting> right = MonitorWallpaper(api, kRight);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->picture, L"C:\\b.png");
    EXPECT_EQ(right->style, WallpaperStyle::Fit);
    EXPECT_EQ(right->background, 0x00804020u);

    // A monitor it does not know, or a position it should not give: the
    // settings decide instead.
    EXPECT_FALSE(MonitorWallpaper(api, {0, 0, 1024, 768}));
    api.position = 6;
    EXPECT_FALSE(MonitorWallpaper(api, kPrimary));
}
