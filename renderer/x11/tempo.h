#pragma once

#include <cstdint>

// The storm's tempo: each frame gets a budget of time, and what its drawing
// leaves of it is slept away, so that the frame rate holds without spending
// the processor on waiting. Times are in microseconds of the monotonic clock.

int64_t MonotonicMicroseconds();

// When the next frame may start: one budget after the previous start, or now
// when that moment has already passed (a late frame is not made up for).
int64_t NextFrameStart(int64_t previousStart, int64_t now, int64_t budget);

class FramePacer {
public:
    explicit FramePacer(int64_t budget) : budget_(budget), start_(MonotonicMicroseconds()) {}
    // Sleeps until the next frame may start, or until a stop signal.
    void AwaitNextFrame();

private:
    int64_t budget_;
    int64_t start_;
};
