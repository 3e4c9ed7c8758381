#include "frame_rate_show.h"

#include <cstdio>

#include "overlay_text.h"

void FrameRateShow::Draw() const
{
    if (draw_ && !text_.empty())
        DrawOverlayText(text_);
}

void FrameRateShow::CountFrame(int64_t now, int64_t busy, int64_t steps)
{
    if (!Shown() || !meter_.CountFrame(now, busy, steps))
        return;
    if (draw_)
        text_ = FrameRateText(meter_.reading());
    if (print_) {
        const FrameRateReading& reading = meter_.reading();
        std::printf("%.1f fps %.1f steps/s %.1f %% load\n", reading.framesPerSecond,
                    reading.stepsPerSecond, reading.loadPercent);
        std::fflush(stdout);
    }
}
