// wallpaper_probe [RUNS]: the time to make the primary monitor's floor from
// the desktop's wallpaper as the registry sets it, as the saver makes it on
// the Screen-saver desktop: the background and the wallpaper, decoded and
// placed, drawn into a 24-bit picture of the monitor's size. Prints each of
// RUNS (5) runs and their median.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "desktop_background.h"
#include "picture_surface.h"
#include "probe_watch.h"

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const PictureSurface floor(width, height);
    if (floor.Width() != width) {
        std::fprintf(stderr, "wallpaper_probe: no picture of %d x %d\n", width, height);
        return 1;
    }
    ProbeClock clock(3600);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        clock.Start();
        DrawDesktopBackground(floor.Dc(), {0, 0, width, height}, VirtualScreen());
        GdiFlush();
        times.push_back(clock.Seconds() * 1000);
        std::printf("floor of %d x %d from the wallpaper: %.0f ms\n", width, height, times.back());
    }
    std::sort(times.begin(), times.end());
    std::printf("median of %d: %.0f ms\n", runs, times[times.size() / 2]);
    return 0;
}
