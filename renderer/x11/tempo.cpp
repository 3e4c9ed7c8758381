#include "tempo.h"

#include <time.h>

#include <algorithm>

#include "stop_signals.h"

namespace {

// The longest single sleep: a stop signal may land on any of the process's
// threads (the OpenGL driver has its own) and so may not cut a sleep short;
// waking this often still ends the loop in time.
constexpr int64_t kLongestSleep = 10000;

} // namespace

int64_t MonotonicMicroseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

int64_t NextFrameStart(int64_t previousStart, int64_t now, int64_t budget)
{
    return std::max(previousStart + budget, now);
}

void FramePacer::AwaitNextFrame()
{
    int64_t now = MonotonicMicroseconds();
    start_ = NextFrameStart(start_, now, budget_);
    while (now < start_ && !g_stopRequested) {
        const int64_t until = std::min(start_, now + kLongestSleep);
        const timespec wake = {static_cast<time_t>(until / 1000000),
                               static_cast<long>(until % 1000000) * 1000};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr);
        now = MonotonicMicroseconds();
    }
}
