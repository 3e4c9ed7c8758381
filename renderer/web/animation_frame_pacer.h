#pragma once

#include <cstdint>

#include "step_pacer.h"

// The storm's pace in a browser: the StepPacer on requestAnimationFrame.
// Every animation frame starts at a refresh of the display, and a frame drawn
// in one is shown at the next: that refresh is the "buffer swap returned" of
// the native shells. Where the pacer would sleep, the animation frames that
// come before the sleep is over draw nothing. Times are microseconds of the
// page's clock.
class AnimationFramePacer {
public:
    // The answer for an animation frame that draws nothing.
    static constexpr int kSkip = -1;

    AnimationFramePacer() : pacer_(kStepMicroseconds) {}

    // An animation frame at `now`: the steps to advance the storm before
    // drawing it, or kSkip for no frame now.
    int OnAnimationFrame(int64_t now);

private:
    StepPacer pacer_;
    bool drawn_ = false; // the last animation frame drew a frame
    int64_t wakeAt_ = 0; // no frame before this
};
