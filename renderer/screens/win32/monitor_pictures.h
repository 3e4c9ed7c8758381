#pragma once

#include <string>
#include <vector>

#include "rgb_image.h"

// A monitor's desktop, mirrored, for its storm's floor; it stays in memory.
struct MonitorPicture {
    std::string device; // the monitor's display device (monitor_list.h)
    RgbImage* picture;  // the caller's to free
};

// The desktop of every monitor that can show a storm of its own (one that
// lies outside the primary), as it is on the screen now. A monitor whose
// picture cannot be taken is left out.
std::vector<MonitorPicture> CaptureOtherMonitors();
