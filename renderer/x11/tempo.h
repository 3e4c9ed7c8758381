#pragma once

#include <cstdint>

#include "step_pacer.h"

// The storm's tempo in raivel: the shared pacer decides how many steps each
// frame advances and how long to sleep after it; the sleep is taken here,
// without spending the processor on waiting. Times are in microseconds of
// the monotonic clock.

int64_t MonotonicMicroseconds();

class FramePacer {
public:
    explicit FramePacer(int64_t stepPeriod) : steps_(stepPeriod) {}

    StepPacer& Steps() { return steps_; }

    // Once the frame is presented: sleeps until the next frame may start, or
    // until a stop signal.
    void AwaitNextFrame();

private:
    StepPacer steps_;
};
