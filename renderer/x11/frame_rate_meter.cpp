#include "frame_rate_meter.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int64_t kPeriod = 1000000;

} // namespace

bool FrameRateMeter::CountFrame(int64_t now, int64_t busy, int64_t steps)
{
    ++frames_;
    busy_ += std::max<int64_t>(busy, 0);
    const int64_t elapsed = now - since_;
    if (elapsed < kPeriod)
        return false;
    reading_.framesPerSecond = frames_ * 1e6 / static_cast<double>(elapsed);
    reading_.stepsPerSecond =
        static_cast<double>(steps - stepsSince_) * 1e6 / static_cast<double>(elapsed);
    reading_.loadPercent =
        std::min(100.0 * static_cast<double>(busy_) / static_cast<double>(elapsed), 100.0);
    since_ = now;
    busy_ = 0;
    frames_ = 0;
    stepsSince_ = steps;
    return true;
}

std::string FrameRateText(const FrameRateReading& reading)
{
    char text[64];
    std::snprintf(text, sizeof text, "FPS: %.1f\nLoad: %.1f%%", reading.framesPerSecond,
                  reading.loadPercent);
    return text;
}
