#pragma once

#include <cstdint>
#include <string>

// The frame rate and load as xscreensaver's display modes show them: over
// periods of about a second, the frames drawn per second and the share of
// the time spent stepping and drawing, not waiting for the display or the
// next step; and the storm's steps per second. Times are in microseconds.

struct FrameRateReading {
    double framesPerSecond = 0;
    double stepsPerSecond = 0;
    double loadPercent = 0; // 100 * busy / elapsed
};

class FrameRateMeter {
public:
    explicit FrameRateMeter(int64_t start) : since_(start) {}

    // Counts a frame that ended at `now` after stepping and drawing for
    // `busy` of its time, the storm having taken `steps` steps since the
    // start. True when that closed a period of a second or more: reading()
    // then holds its figures.
    bool CountFrame(int64_t now, int64_t busy, int64_t steps);

    const FrameRateReading& reading() const { return reading_; }

private:
    int64_t since_;
    int64_t busy_ = 0;
    int frames_ = 0;
    int64_t stepsSince_ = 0;
    FrameRateReading reading_;
};

// "FPS: 60.0" and, on a second line, "Load: 12.3%".
std::string FrameRateText(const FrameRateReading& reading);
