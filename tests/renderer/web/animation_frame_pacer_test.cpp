// The storm's pace on a browser's animation frames, which come at the
// display's refresh, whatever that is.

#include <gtest/gtest.h>

#include "animation_frame_pacer.h"

namespace {

struct Paced {
    int steps = 0;
    int frames = 0;
};

// Ten seconds of animation frames at `hertz`, a little late at random, as
// a busy page gets them.
Paced TenSecondsAt(double hertz)
{
    AnimationFramePacer pacer;
    Paced run;
    unsigned jitter = 1;
    for (int refresh = 0; refresh < static_cast<int>(10 * hertz); ++refresh) {
        jitter = jitter * 1103515245u + 12345u;
        const auto now = static_cast<int64_t>(refresh * 1e6 / hertz) + (jitter >> 16) % 300;
        const int steps = pacer.OnAnimationFrame(now);
        if (steps != AnimationFramePacer::kSkip) {
            run.steps += steps;
            ++run.frames;
        }
    }
    return run;
}

} // namespace

TEST(AnimationFramePacerTest, SixtyStepsASecondOnAnyDisplay)
{
    for (const double hertz : {60.0, 59.94, 75.0, 120.0, 144.0, 240.0}) {
        const Paced run = TenSecondsAt(hertz);
        EXPECT_NEAR(run.steps, 600, 6) << hertz << " Hz";
        // A frame for each step at least, and none that would show no new step
        // where the display is faster than the storm.
        EXPECT_GE(run.frames, hertz < 60 ? static_cast<int>(10 * hertz) - 2 : 590)
            << hertz << " Hz";
    }
}
