// The storm's pace against made-up displays, on a made-up clock: ten seconds
// of frames that take 2 ms to draw (or about half a step), give or take
// 0.2 ms, on a display whose vertical sync holds each buffer swap until its
// next refresh, or on one where nothing does, or one that changes from the
// one to the other halfway. The loop wakes up to 0.3 ms
// late after a swap, and up to 0.5 ms late after a sleep.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "step_pacer.h"

namespace {

constexpr int64_t kStep = 16666;

struct Display {
    const char* name;
    int64_t refresh;           // microseconds between refreshes; 0: nothing waits for one
    int64_t drawing;           // microseconds a frame takes to draw, up to 0.2 ms more
    int64_t laterRefresh = -1; // the refresh from the fifth second on, if it changes
};

const Display kDisplays[] = {{"60 Hz", 16667, 2000},
                             {"59.94 Hz", 16683, 2000},
                             {"120 Hz", 8333, 2000},
                             {"144 Hz", 6944, 2000},
                             {"no vertical sync", 0, 2000},
                             {"no vertical sync, half a step to draw", 0, 8100},
                             {"60 Hz, then no vertical sync", 16667, 2000, 0}};

// Jitter from 0 to `most` microseconds, the same on every run.
class Jitter {
public:
    int64_t Upto(int64_t most)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % (most + 1);
    }

private:
    uint32_t state_ = 7;
};

struct Pace {
    double stepsPerSecond;
    double framesPerSecond;
};

// Ten seconds of frames on `display` with steps of `period`, each frame
// checked never to sleep past the next step; `onFrame(frame, steps, shown)`
// sees each frame's steps and when it was shown.
template <typename OnFrame> Pace RunOn(const Display& display, int64_t period, OnFrame onFrame)
{
    StepPacer pacer(period);
    Jitter jitter;
    const int64_t first = 1234567;
    int64_t now = first;
    int64_t steps = 0;
    int frames = 0;
    while (now < first + 10000000) {
        const bool later = display.laterRefresh >= 0 && now >= first + 5000000;
        const int64_t refresh = later ? display.laterRefresh : display.refresh;
        const int taken = pacer.StepsForFrame(now);
        steps += taken;
        const int64_t drawn = now + display.drawing + jitter.Upto(200);
        const int64_t shown = refresh ? (drawn / refresh + 1) * refresh : drawn;
        onFrame(frames, taken, shown);
        ++frames;

        const int64_t returned = shown + jitter.Upto(300);
        const int64_t sleep = pacer.SleepAfterFrame(returned, true);
        if (sleep > 0) {
            StepPacer early = pacer;
            EXPECT_EQ(early.StepsForFrame(returned + sleep - 1), 0) << "frame " << frames;
        }
        now = returned + sleep + (sleep ? jitter.Upto(500) : 0);
    }
    const double seconds = (now - first) / 1e6;
    const Pace pace = {steps / seconds, frames / seconds};
    // Frames no faster than the display's refresh, or than the steps (but
    // for the few at the start, which learn the display).
    const auto most = [period](int64_t refresh) {
        return 1e6 / (refresh ? refresh : std::max(period, kShortestStepMicroseconds));
    };
    const double mostFrames = display.laterRefresh >= 0
                                  ? std::max(most(display.refresh), most(display.laterRefresh))
                                  : most(display.refresh);
    EXPECT_LE(pace.framesPerSecond, mostFrames * 1.02 + 1);
    return pace;
}

} // namespace

TEST(StepPacer, SixtyStepsASecondOnAnyDisplayAndOnePerRefreshAtSixtyHertz)
{
    for (const Display& display : kDisplays) {
        SCOPED_TRACE(display.name);
        const bool stepRate =
            display.refresh > kStep * 97 / 100 && display.refresh < kStep * 103 / 100;
        int64_t lastShown = 0;
        const Pace pace = RunOn(display, kStep, [&](int frame, int steps, int64_t shown) {
            if (stepRate && shown < 1234567 + 5000000 && frame > 0) {
                EXPECT_EQ(steps, 1) << "frame " << frame;
                EXPECT_EQ(shown - lastShown, display.refresh) << "frame " << frame;
            }
            lastShown = shown;
        });
        EXPECT_NEAR(pace.stepsPerSecond, 60.0, 0.6);
    }
}

TEST(StepPacer, ShorterStepsRunFasterOnAnyDisplayDownToTheShortest)
{
    for (const Display& display : kDisplays) {
        SCOPED_TRACE(display.name);
        double slower = 0;
        for (int64_t period :
             {100000, 50000, 33333, 25000, 20000, 16666, 12500, 10000, 8333, 4000, 0}) {
            SCOPED_TRACE(period);
            const Pace pace = RunOn(display, period, [](int, int, int64_t) {});
            const double rate = 1e6 / std::max(period, kShortestStepMicroseconds);
            EXPECT_NEAR(pace.stepsPerSecond, rate, rate * 0.035);
            EXPECT_GE(pace.stepsPerSecond, slower);
            slower = pace.stepsPerSecond;
        }
    }
}
