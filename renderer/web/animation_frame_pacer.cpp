#include "animation_frame_pacer.h"

int AnimationFramePacer::OnAnimationFrame(int64_t now)
{
    if (drawn_) {
        // The frame drawn in the last animation frame is on the display now.
        wakeAt_ = now + pacer_.SleepAfterFrame(now, true);
        drawn_ = false;
    }
    if (now < wakeAt_)
        return kSkip;
    drawn_ = true;
    return pacer_.StepsForFrame(now);
}
