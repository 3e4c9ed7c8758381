// The storm's pace against made-up displays, on a made-up clock: ten seconds
// of frames that take 2 ms to draw (or about half a step), give or take
// 0.2 ms, on a display whose vertical sync holds each buffer swap until its
// next refresh, or on one where nothing does, or one that changes from the
// one to the other halfway. The loop wakes up to 0.3 ms
// late after a swap, and up to 0.5 ms late after a sleep.

#include <gtest/gtest.h>

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

} // namespace

TEST(StepPacer, SixtyStepsASecondOnAnyDisplayAndOnePerRefreshAtSixtyHertz)
{
    const Display displays[] = {{"60 Hz", 16667, 2000},
                                {"59.94 Hz", 16683, 2000},
                                {"120 Hz", 8333, 2000},
                                {"144 Hz", 6944, 2000},
                                {"no vertical sync", 0, 2000},
                                {"no vertical sync, half a step to draw", 0, 8100},
                                {"60 Hz, then no vertical sync", 16667, 2000, 0}};
    for (const Display& display : displays) {
        SCOPED_TRACE(display.name);
        const bool stepRate =
            display.refresh > kStep * 97 / 100 && display.refresh < kStep * 103 / 100;
        StepPacer pacer(kStep);
        Jitter jitter;
        const int64_t first = 1234567;
        int64_t now = first;
        int64_t lastShown = 0;
        int64_t steps = 0;
        int frames = 0;
        while (now < first + 10000000) {
            const bool later = display.laterRefresh >= 0 && now >= first + 5000000;
            const int64_t refresh = later ? display.laterRefresh : display.refresh;
            const int taken = pacer.StepsForFrame(now);
            steps += taken;
            const int64_t drawn = now + display.drawing + jitter.Upto(200);
            const int64_t shown = refresh ? (drawn / refresh + 1) * refresh : drawn;
            if (stepRate && !later && frames > 0) {
                EXPECT_EQ(taken, 1) << "frame " << frames;
                EXPECT_EQ(shown - lastShown, display.refresh) << "frame " << frames;
            }
            lastShown = shown;
            ++frames;

            const int64_t returned = shown + jitter.Upto(300);
            const int64_t sleep = pacer.SleepAfterFrame(returned, true);
            if (sleep > 0) {
                // Never past the next step.
                StepPacer early = pacer;
                EXPECT_EQ(early.StepsForFrame(returned + sleep - 1), 0) << "frame " << frames;
            }
            now = returned + sleep + (sleep ? jitter.Upto(500) : 0);
        }
        const double seconds = (now - first) / 1e6;
        EXPECT_NEAR(steps / seconds, 60.0, 0.6);
        // Frames no faster than the display's refresh, or than the steps
        // (but for a few at the start, which learn the display).
        const double most = display.refresh ? 1e6 / display.refresh : 60.0;
        EXPECT_LE(frames / seconds, most * 1.02);
    }
}
