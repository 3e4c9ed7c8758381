#pragma once

#include "wallpaper_setting.h"

// What Windows shows behind every window on the monitor at `monitor` (in
// the virtual screen's pixels): from the desktop wallpaper interface where
// Windows has it, else from the wallpaper, style and tiling settings and the
// desktop's colour. When the listed picture file is gone, Windows' own copy
// of the wallpaper (%APPDATA%\Microsoft\Windows\Themes\TranscodedWallpaper)
// stands in for it. Needs COM on the calling thread.
WallpaperSetting CurrentWallpaper(const PixelArea& monitor);
