#pragma once

#include <cstdint>
#include <optional>

// Where Windows puts the desktop's wallpaper on a monitor, by the picture's
// position setting, over the desktop's background colour.

enum class WallpaperStyle {
    Center,  // at its own size in the monitor's middle, cropped where larger
    Tile,    // at its own size, repeated across all monitors from the top-left
             // corner of the virtual screen
    Stretch, // to the monitor's size, whatever its shape
    Fit,     // as large as it goes whole, bars of background beside it
    Fill,    // as small as it covers the monitor, centred, cropped
    Span,    // one picture filling the box round all monitors, each monitor
             // showing its own part of it
};

// A rectangle in pixels: its top-left corner and its size.
struct PixelArea {
    int64_t left;
    int64_t top;
    int64_t width;
    int64_t height;

    bool operator==(const PixelArea& other) const
    {
        return left == other.left && top == other.top && width == other.width &&
               height == other.height;
    }
};

// Where the picture of `width` x `height` pixels lies on `monitor`, in that
// monitor's pixels from its top-left corner: a rectangle that may reach past
// the monitor's edges, where it is cropped. A tiled picture is the tile whose
// copies, every width and height pixels both ways, cover the monitor.
// `monitor` and `screen` (the box round all monitors) are in the virtual
// screen's pixels. An odd pixel of a centred picture goes to the right and to
// the bottom. Nothing for an empty picture, and for a place too large for
// the drawing calls' 32-bit coordinates (a picture thousands of times longer
// than it is wide).
std::optional<PixelArea> PlaceWallpaper(WallpaperStyle style, int64_t width, int64_t height,
                                        const PixelArea& monitor, const PixelArea& screen);
