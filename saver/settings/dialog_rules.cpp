#include "dialog_rules.h"

#include <cmath>

#include "number_text.h"

KindControls ControlsForKind(int16_t kind)
{
    return {kind == 1, kind == 2, kind >= 0 && kind <= 2 ? kind : -1};
}

std::string TrackText(int32_t track)
{
    return track == 0 ? std::string() : std::to_string(track);
}

int16_t TrackFromText(const std::string& text)
{
    const auto number = ParseDecimal(text);
    if (!number)
        return 0;
    const double track = std::nearbyint(*number); // halves to even
    return track >= INT16_MIN && track <= INT16_MAX ? static_cast<int16_t>(track) : 0;
}

int BandLevel(int row, int height)
{
    if (height <= 0)
        return 0;
    const double k = height / 3.142;
    return static_cast<int>(std::nearbyint(std::fabs(std::sin(row / k)) * 220));
}
