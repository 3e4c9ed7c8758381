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
    const struct {
        const char* rule;
        Style style;
        int64_t width, height;
        PixelArea monitor, screen;
        PixelArea place;
    } cases[] = {
        {"fill: a square is cropped top and bottom",
         Style::Fill,
         1000,
         1000,
         kPrimary,
         kPrimary,
         {0, -420, 1920, 1920}},
        {"fill: a wide picture is cropped left and right",
         Style::Fill,
         4000,
         1000,
         kPrimary,
         kPrimary,
         {-1200, 0, 4320, 1080}},
        {"fill: the monitor's shape scales to it exactly",
         Style::Fill,
         3840,
         2160,
         kPrimary,
         kPrimary,
         {0, 0, 1920, 1080}},
        {"fit: a square gets bars left and right",
         Style::Fit,
         1000,
         1000,
         kPrimary,
         kPrimary,
         {420, 0, 1080, 1080}},
        {"fit: a wide picture gets bars above and below",
         Style::Fit,
         4000,
         1000,
         kPrimary,
         kPrimary,
         {0, 300, 1920, 480}},
        {"fit: a small picture is enlarged",
         Style::Fit,
         640,
         360,
         kPrimary,
         kPrimary,
         {0, 0, 1920, 1080}},
        {"stretch: any shape to the monitor's",
         Style::Stretch,
         1000,
         1000,
         kLeft,
         kLeftAndPrimary,
         {0, 0, 1280, 1024}},
        {"center: at its size in the middle",
         Style::Center,
         640,
         480,
         kPrimary,
         kPrimary,
         {640, 300, 640, 480}},
        {"center: a larger picture is cropped round its middle",
         Style::Center,
         2000,
         1200,
         kPrimary,
         kPrimary,
         {-40, -60, 2000, 1200}},
        {"center: the odd pixel goes right and down",
         Style::Center,
         641,
         481,
         kPrimary,
         kPrimary,
         {639, 299, 641, 481}},
        {"tile: from the virtual screen's corner, on the monitor there",
         Style::Tile,
         500,
         400,
         kLeft,
         kLeftAndPrimary,
         {0, 0, 500, 400}},
        {"tile: continued on the monitor beside it",
         Style::Tile,
         500,
         400,
         kPrimary,
         kLeftAndPrimary,
         {-280, 0, 500, 400}},
        {"span: one picture filling both monitors, the left part",
         Style::Span,
         1000,
         1000,
         kPrimary,
         kPrimaryAndRight,
         {0, -1380, 3840, 3840}},
        {"span: the right part",
         Style::Span,
         1000,
         1000,
         kRight,
         kPrimaryAndRight,
         {-1920, -1380, 3840, 3840}},
        {"span: a monitor left of the primary holds the picture's left",
         Style::Span,
         3200,
         1080,
         kLeft,
         kLeftAndPrimary,
         {0, 0, 3200, 1080}},
        {"span: and the primary its right",
         Style::Span,
         3200,
         1080,
         kPrimary,
         kLeftAndPrimary,
         {-1280, 0, 3200, 1080}},
    };
    for (const auto& item : cases) {
        const std::optional<PixelArea> place =
            PlaceWallpaper(item.style, item.width, item.height, item.monitor, item.screen);
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
