#include "step_pacer.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// A late frame catches up this many steps at most, or this much of the
// storm's time where steps are shorter; the rest is dropped.
constexpr int64_t kMostStepsPerFrame = 2;
constexpr int64_t kMostTimePerFrame = kMostStepsPerFrame * kStepMicroseconds;

int64_t MostSteps(int64_t period, int64_t frameSteps)
{
    return std::max(kMostStepsPerFrame, kMostTimePerFrame / period) * frameSteps;
}

} // namespace

StepPacer::StepPacer(int64_t stepPeriod)
    : period_(std::clamp(stepPeriod, kShortestStepMicroseconds, kLongestStepMicroseconds)),
      mostSteps_(MostSteps(period_, 1)), tolerance_(period_ / 16)
{
}

void StepPacer::SaveEnergy(bool saving)
{
    frameSteps_ =
        saving ? std::max<int64_t>(1, (kSavingFrameMicroseconds + period_ / 2) / period_) : 1;
    mostSteps_ = MostSteps(period_, frameSteps_);
}

void StepPacer::Hold()
{
    frames_ = std::min(frames_, 1);
    nextDirect_ = false;
    probeFrom_ = -1;
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
    if (frames_ == 2) {
        owed_ = 0;
        ++stepsTaken_;
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
    int64_t steps = (owed_ + tolerance_) / period_;
    if (steps > mostSteps_) {
        steps = mostSteps_;
        owed_ = 0;
    } else {
        owed_ -= steps * period_;
    }
    stepsTaken_ += steps;
    return static_cast<int>(steps);
}

int64_t StepPacer::SleepAfterFrame(int64_t now, bool shown)
{
    if (frames_ == 1) {
        nextDirect_ = true;
        return 0;
    }
    if (shown && frameDirect_) {
        // The oldest gives way: a display that changes (vertical sync lost,
        // or gained) is learnt anew.
        frameTimes_[nextFrameTime_] = now - start_;
        nextFrameTime_ = (nextFrameTime_ + 1) % kFrameTimes;
        frameTimeCount_ = std::min(frameTimeCount_ + 1, kFrameTimes);
    }
    const int64_t half = period_ / 2;
    if (probeFrom_ >= 0) {
        // A frame started half a refresh late: the refresh still held its
        // swap back to the grid, or nothing did.
        const int64_t offGrid = (now - probeFrom_) % half;
        halfStepRefresh_ =
            std::min(offGrid, half - offGrid) < half / 4 ? Refresh::Held : Refresh::Refused;
        probeFrom_ = -1;
    }
    // The first frames follow each other at once, to learn the display. A
    // display that refreshes once a step, or twice, then keeps the time
    // itself: a frame on every refresh. Otherwise (and always while energy
    // is saved) the loop sleeps until the next frame's steps are due, since a
    // frame started before then would show the storm as it is.
    const int64_t refresh = LockedRefresh();
    const int64_t untilFrame = start_ + frameSteps_ * period_ - tolerance_ - owed_ - now;
    const bool fullRate = frameSteps_ == 1;
    if (shown && fullRate && refresh == half && halfStepRefresh_ == Refresh::Unknown &&
        untilFrame > 0) {
        // A drawing that happens to take half a step looks the same: before
        // a frame that would show no new step, wait half a refresh and see.
        probeFrom_ = now;
        nextDirect_ = false;
        return half / 2;
    }
    const bool displayKeepsTime = fullRate && (frameTimeCount_ < kFrameTimes || refresh);
    const int64_t sleep = shown && displayKeepsTime ? 0 : std::max<int64_t>(untilFrame, 0);
    nextDirect_ = shown && sleep == 0;
    return sleep;
}

int64_t StepPacer::LockedRefresh() const
{
    if (frameTimeCount_ < kFrameTimes)
        return 0;
    // The median of the last frames, which a missed refresh or a late
    // wake-up leaves alone, is about a step, or half of one.
    int64_t times[kFrameTimes];
    std::copy(std::begin(frameTimes_), std::end(frameTimes_), times);
    std::nth_element(times, times + kFrameTimes / 2, times + kFrameTimes);
    const int64_t frameTime = times[kFrameTimes / 2];
    const int64_t half = period_ / 2;
    const auto near = [frameTime](int64_t refresh) {
        return std::abs(frameTime - refresh) * 100 <= refresh * 3;
    };
    if (near(period_))
        return period_;
    if (near(half) && halfStepRefresh_ != Refresh::Refused)
        return half;
    return 0;
}
