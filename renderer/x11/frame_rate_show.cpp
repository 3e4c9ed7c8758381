#include "frame_rate_show.h"

#include <cstdio>

#include "overlay_text.h"

void FrameRateShow::Draw() const
{
    if (draw_ && !text_.empty())
        DrawOverlayText(text_);
}

void FrameRateShow::CountFrame(int64_t now, int64_t slept)
{
    if ((!draw_ && !print_) || !meter_.CountFrame(now, slept))
        return;
    if (draw_)
        text_ = FrameRateText(meter_.reading());
    if (print_) {
        std::printf("%.1f fps\n", meter_.reading().framesPerSecond);
        std::fflush(stdout);
    }
}
