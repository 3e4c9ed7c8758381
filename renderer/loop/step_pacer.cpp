#include "step_pacer.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// A late frame catches up this many steps at most; the rest is dropped.
constexpr int kMostStepsPerFrame = 2;

} // namespace

StepPacer::StepPacer(int64_t stepPeriod)
    : period_(std::max<int64_t>(stepPeriod, 0)), tolerance_(period_ / 16)
{
}

int StepPacer::StepsForFrame(int64_t now)
{
    // From the last start to this one is a frame of the display's own when
    // neither frame waited for anything but the frame before.
    const bool displayPaced = frameDirect_ && nextDirect_;
    const int64_t interval = now - start_;
    frameDirect_ = nextDirect_;
    start_ = now;
    frames_ = std::min(frames_ + 1, 3);
    if (frames_ == 1)
        return 0;
    if (period_ == 0 || frames_ == 2) {
        owed_ = 0;
        return 1;
    }

    owed_ += interval;
    if (const int64_t refresh = LockedRefresh(); refresh && displayPaced) {
        // The frame counts as its whole refreshes, each exactly a step (or
        // half of one), and the time owed stays on that grid, so the
        // timing's jitter never skips a step or shows one twice.
        const int64_t refreshes = (interval + refresh / 2) / refresh;
        owed_ += refreshes * refresh - interval;
        owed_ = (owed_ + refresh / 2) / refresh * refresh;
    }
    int steps = static_cast<int>((owed_ + tolerance_) / period_);
    if (steps > kMostStepsPerFrame) {
        steps = kMostStepsPerFrame;
        owed_ = 0;
    } else {
        owed_ -= steps * period_;
    }
    return steps;
}

int64_t StepPacer::SleepAfterFrame(int64_t now, bool shown)
{
    if (period_ == 0 || frames_ == 1) {
        nextDirect_ = true;
        return 0;
    }
    if (shown && frameDirect_) {
        frameTimes_[frameTimeCount_ % kFrameTimes] = now - start_;
        frameTimeCount_ = std::min(frameTimeCount_ + 1, 2 * kFrameTimes);
    }
    // The first frames follow each other at once, to learn the display. A
    // display that refreshes once a step, or twice, then keeps the time
    // itself: a frame on every refresh. Otherwise the loop sleeps until the
    // next step is due, since a frame started before then would show the
    // storm as it is.
    const bool displayKeepsTime = frameTimeCount_ < kFrameTimes || LockedRefresh();
    const int64_t untilStep = start_ + period_ - tolerance_ - owed_ - now;
    const int64_t sleep = shown && displayKeepsTime ? 0 : std::max<int64_t>(untilStep, 0);
    nextDirect_ = shown && sleep == 0;
    return sleep;
}

int64_t StepPacer::LockedRefresh() const
{
    if (frameTimeCount_ < kFrameTimes)
        return 0;
    // The median of the last frames, which a missed refresh or a late
    // wake-up leaves alone, is about a step: the display refreshes once a
    // step.
    int64_t times[kFrameTimes];
    std::copy(std::begin(frameTimes_), std::end(frameTimes_), times);
    std::sort(times, times + kFrameTimes);
    const auto near = [](int64_t time, int64_t refresh, int percent) {
        return std::abs(time - refresh) * 100 <= refresh * percent;
    };
    if (near(times[kFrameTimes / 2], period_, 3))
        return period_;
    // About half a step, and steady: a drawing that happens to take that
    // long, with nothing to hold it, is not.
    const int64_t half = period_ / 2;
    if (near(times[kFrameTimes / 2], half, 3) && near(times[1], half, 5) &&
        near(times[kFrameTimes - 2], half, 5))
        return half;
    return 0;
}
