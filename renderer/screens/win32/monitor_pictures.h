#pragma once

#include <string>
#include <vector>

#include "cover_layout.h"
#include "rgb_image.h"

// A monitor's desktop, mirrored, for its storm's floor; it stays in memory.
struct MonitorPicture {
    std::string device; // the monitor's display device (monitor_list.h)
    RgbImage* picture;  // the caller's to free; null until painted
    ScreenRect area;    // where the monitor was when its picture was taken
    ScreenRect screen;  // the box round all monitors then
};

// The desktop of every monitor that can show a storm of its own (one that
// lies outside the primary), as it is on the screen now: taken before the
// display mode changes, which may move the monitors and repaint them. A
// monitor whose picture cannot be taken is left out. On the Screen-saver
// desktop, where the screen shows none of the user's desktop, the pictures
// are left for PaintWallpaperFloors.
std::vector<MonitorPicture> CaptureOtherMonitors();

// The picture of each monitor that has none yet: its wallpaper over the
// desktop's background colour, mirrored. A decoding may take a while: any
// thread will do. A monitor whose picture cannot be made is left out.
void PaintWallpaperFloors(std::vector<MonitorPicture>& floors);
