#include "tempo.h"

#include <time.h>

#include <algorithm>

#include "frame_loop.h"
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

void FramePacer::AwaitNextFrame()
{
    const int64_t presented = MonotonicMicroseconds();
    const int64_t wake = presented + SleepAfterPresent(steps_, presented);
    int64_t now = presented;
    while (now < wake && !g_stopRequested) {
        const int64_t until = std::min(wake, now + kLongestSleep);
        const timespec stretch = {static_cast<time_t>(until / 1000000),
                                  static_cast<long>(until % 1000000) * 1000};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &stretch, nullptr);
        now = MonotonicMicroseconds();
    }
}
