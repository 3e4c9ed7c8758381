#pragma once

#include <cstdint>

// The storm's step: 60 a second.
constexpr int64_t kStepMicroseconds = 1000000 / 60;

// The storm's pace: it moves in steps of a fixed period (1/60 s), whatever
// the display does. Plain logic over a clock that the shell reads: times are
// microseconds of a monotonic clock.
//
// Where the display's vertical sync holds each buffer swap until the next
// refresh, a frame is drawn on every refresh and advances the storm by the
// whole steps of time that passed since the frame before: 0, 1 or 2, never
// more, so a stall is not made up for. A display at about the step rate (60
// or 59.94 Hz) is held to exactly one step per refresh, and one at about
// twice it to a step every second refresh, so that the timing's jitter never
// makes a frame skip a step or show one twice. Where the next step is more
// than a frame's time away, or nothing holds the swaps back (no vertical
// sync, or a driver that takes the request and ignores it), the loop sleeps
// until the step is due. Which case holds is learnt from the frames' times:
// how long a frame takes when the loop did not sleep before it.
class StepPacer {
public:
    // A period of 0 is one step per frame, the frames as fast as they come.
    explicit StepPacer(int64_t stepPeriod);

    // A frame starts at `now`: the steps it advances the storm. The first
    // frame shows the storm as it starts; the second is one step on, however
    // long the first one stood.
    int StepsForFrame(int64_t now);

    // The frame's buffer swap returned at `now`: how long to sleep before the
    // next frame starts, 0 for at once. `shown` is false when the frame drew
    // nothing (a minimised window): its steps were dropped, and its time says
    // nothing about the display.
    int64_t SleepAfterFrame(int64_t now, bool shown);

private:
    // The display's refresh where it is about a step, or half of one, as the
    // times of recent frames show it; 0 otherwise.
    int64_t LockedRefresh() const;

    static constexpr int kFrameTimes = 7;

    int64_t period_;
    // How early a step may be counted: the timing's jitter and a sleep that
    // ends a little early.
    int64_t tolerance_;
    int frames_ = 0;
    // When the current frame started, and the time owed to the storm then:
    // a step is due once it reaches a period.
    int64_t start_ = 0;
    int64_t owed_ = 0;
    // The current frame started as the one before it was swapped, and the
    // next one will: the time between them is then the display's own.
    bool frameDirect_ = false;
    bool nextDirect_ = false;
    // What the last frames took that started as soon as the one before had
    // been swapped: the refresh period where vertical sync holds the swaps,
    // the drawing time where nothing does.
    int64_t frameTimes_[kFrameTimes] = {};
    int frameTimeCount_ = 0;
};
