#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cover_layout.h"

// The monitors as Windows lists them now.
struct Monitor {
    std::string device; // its display device's name, which a change of the mode keeps
    ScreenRect area;
};
std::vector<Monitor> ListMonitors();

// The primary monitor's area; nothing when Windows does not say.
std::optional<ScreenRect> PrimaryArea();
