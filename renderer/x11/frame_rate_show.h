#pragma once

#include <cstdint>
#include <string>

#include "frame_rate_meter.h"
#include "raivel_options.h"

// The frame rate as the options ask for it: drawn over each frame (-fps),
// printed on standard output once a second with the storm's steps per second
// and the load (-print-fps), or neither.
class FrameRateShow {
public:
    FrameRateShow(const RaivelOptions& options, int64_t start)
        : draw_(options.showFps), print_(options.printFps), meter_(start)
    {
    }

    // Whether any figure is shown (or printed).
    bool Shown() const { return draw_ || print_; }
    // Draws the latest figures over the frame about to be shown.
    void Draw() const;
    // Counts a frame that ended at `now`, `busy` of its time spent stepping
    // and drawing, `steps` the storm's steps so far.
    void CountFrame(int64_t now, int64_t busy, int64_t steps);

private:
    bool draw_;
    bool print_;
    FrameRateMeter meter_;
    std::string text_;
};
