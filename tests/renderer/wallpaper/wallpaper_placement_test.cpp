#include <gtest/gtest.h>

#include <ostream>

#include "wallpaper_placement.h"

std::ostream& operator<<(std::ostream& out, const PixelArea& area)
{
    return out << area.width << "x" << area.height << " at (" << area.left << "," << area.top
               << ")";
}

namespace {

using Style = WallpaperStyle;

// A 1920 x 1080 primary, alone or with a 1280 x 1024 monitor on its left or
// another 1920 x 1080 one on its right.
constexpr PixelArea kPrimary = {0, 0, 1920, 1080};
constexpr PixelArea kLeft = {-1280, 0, 1280, 1024};
constexpr PixelArea kRight = {1920, 0, 1920, 1080};
constexpr PixelArea kLeftAndPrimary = {-1280, 0, 3200, 1080};
constexpr PixelArea kPrimaryAndRight = {0, 0, 3840, 1080};

} // namespace

TEST(WallpaperPlacement, FollowsWindowsRulesForEachStyle)
{
    // A monitor and the box round all monitors.
    struct Layout {
        PixelArea monitor, screen;
    };
    const Layout alone = {kPrimary, kPrimary};
    const Layout leftOne = {kLeft, kLeftAndPrimary};
    const Layout rightOfLeft = {kPrimary, kLeftAndPrimary};
    const Layout leftOfRight = {kPrimary, kPrimaryAndRight};
    const Layout rightOne = {kRight, kPrimaryAndRight};
    const struct {
        const char* rule;
        Style style;
        int64_t width, height;
        Layout layout;
        PixelArea place;
    } cases[] = {
        {"fill crops a square", Style::Fill, 1000, 1000, alone, {0, -420, 1920, 1920}},
        {"fill crops wide sides", Style::Fill, 4000, 1000, alone, {-1200, 0, 4320, 1080}},
        {"fill fits its shape", Style::Fill, 3840, 2160, alone, {0, 0, 1920, 1080}},
        {"fit bars a square", Style::Fit, 1000, 1000, alone, {420, 0, 1080, 1080}},
        {"fit bars a wide one", Style::Fit, 4000, 1000, alone, {0, 300, 1920, 480}},
        {"fit enlarges", Style::Fit, 640, 360, alone, {0, 0, 1920, 1080}},
        {"stretch to any shape", Style::Stretch, 1000, 1000, leftOne, {0, 0, 1280, 1024}},
        {"center at its size", Style::Center, 640, 480, alone, {640, 300, 640, 480}},
        {"center crops round", Style::Center, 2000, 1200, alone, {-40, -60, 2000, 1200}},
        {"center odd pixel right", Style::Center, 641, 481, alone, {639, 299, 641, 481}},
        {"tile from the corner", Style::Tile, 500, 400, leftOne, {0, 0, 500, 400}},
        {"tile goes on beside", Style::Tile, 500, 400, rightOfLeft, {-280, 0, 500, 400}},
        {"span's left part", Style::Span, 1000, 1000, leftOfRight, {0, -1380, 3840, 3840}},
        {"span's right part", Style::Span, 1000, 1000, rightOne, {-1920, -1380, 3840, 3840}},
        {"span, a left monitor", Style::Span, 3200, 1080, leftOne, {0, 0, 3200, 1080}},
        {"span onto the primary", Style::Span, 3200, 1080, rightOfLeft, {-1280, 0, 3200, 1080}},
    };
    for (const auto& item : cases) {
        const std::optional<PixelArea> place = PlaceWallpaper(
            item.style, item.width, item.height, item.layout.monitor, item.layout.screen);
        ASSERT_TRUE(place) << item.rule;
        EXPECT_EQ(*place, item.place) << item.rule;
    }
}

TEST(WallpaperPlacement, NoPlaceForAnEmptyPictureNorOneBeyondDrawing)
{
    EXPECT_FALSE(PlaceWallpaper(Style::Stretch, 0, 1080, kPrimary, kPrimary));
    // 1 x 30 million pixels filling a monitor would be 58 billion high.
    EXPECT_FALSE(PlaceWallpaper(Style::Fill, 1, 30000000, kPrimary, kPrimary));
    EXPECT_FALSE(PlaceWallpaper(Style::Fit, 30000000, 1, kPrimary, kPrimary));
}
