#include "wallpaper_placement.h"

#include <algorithm>

namespace {

// Beyond this a coordinate no longer fits the 32-bit drawing calls once
// added to a monitor's own size.
constexpr int64_t kLargestCoordinate = int64_t{1} << 30;

// `inner` long, centred in `outer`: where it starts.
int64_t Centred(int64_t outer, int64_t inner)
{
    return (outer - inner) / 2;
}

// The picture scaled as a whole to cover the box (`cover`) or to fit in it,
// centred on the box. Sides are rounded to the nearest pixel.
PixelArea Scaled(int64_t width, int64_t height, int64_t boxWidth, int64_t boxHeight, bool cover)
{
    // The box is wider in shape than the picture when boxWidth / boxHeight
    // exceeds width / height.
    const bool boxWider = boxWidth * height > boxHeight * width;
    PixelArea area{0, 0, boxWidth, boxHeight};
    if (boxWider == cover) // the widths agree, the height follows
        area.height = (height * boxWidth * 2 + width) / (width * 2);
    else
        area.width = (width * boxHeight * 2 + height) / (height * 2);
    area.left = Centred(boxWidth, area.width);
    area.top = Centred(boxHeight, area.height);
    return area;
}

// The first copy's start at or before the monitor's edge `monitorStart`, for
// copies `size` apart from `screenStart` on, relative to the monitor.
int64_t FirstTile(int64_t screenStart, int64_t monitorStart, int64_t size)
{
    return -((monitorStart - screenStart) % size);
}

} // namespace

std::optional<PixelArea> PlaceWallpaper(WallpaperStyle style, int64_t width, int64_t height,
                                        const PixelArea& monitor, const PixelArea& screen)
{
    if (width <= 0 || height <= 0 || monitor.width <= 0 || monitor.height <= 0)
        return std::nullopt;
    PixelArea place{};
    switch (style) {
    case WallpaperStyle::Center:
        place = {Centred(monitor.width, width), Centred(monitor.height, height), width, height};
        break;
    case WallpaperStyle::Tile:
        place = {FirstTile(screen.left, monitor.left, width),
                 FirstTile(screen.top, monitor.top, height), width, height};
        break;
    case WallpaperStyle::Stretch:
        place = {0, 0, monitor.width, monitor.height};
        break;
    case WallpaperStyle::Fit:
    case WallpaperStyle::Fill:
        place = Scaled(width, height, monitor.width, monitor.height, style == WallpaperStyle::Fill);
        break;
    case WallpaperStyle::Span:
        place = Scaled(width, height, screen.width, screen.height, true);
        place.left += screen.left - monitor.left;
        place.top += screen.top - monitor.top;
        break;
    }
    const int64_t reach =
        std::max({-place.left, -place.top, place.left + place.width, place.top + place.height});
    if (place.width <= 0 || place.height <= 0 || reach > kLargestCoordinate)
        return std::nullopt;
    return place;
}
