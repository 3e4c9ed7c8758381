#pragma once

#include <cstdint>

// The storm's step: 60 a second.
constexpr int64_t kStepMicroseconds = 1000000 / 60;
// The shortest step the pacer takes, 120 a second, and the longest, 10 s: a
// period outside them is taken as the nearer one. Drawn a frame per step
// where nothing holds the frames back, the fastest pace asks no more frames
// than a 120 Hz display shows.
constexpr int64_t kShortestStepMicroseconds = kStepMicroseconds / 2;
constexpr int64_t kLongestStepMicroseconds = 10000000;
// While energy is saved, frames come no closer together than this: 30 a
// second.
constexpr int64_t kSavingFrameMicroseconds = 1000000 / 30;

// The storm's pace: it moves in steps of a fixed period (1/60 s, or the
// period the user chose), whatever the display does. Plain logic over a
// clock that the shell reads: times are microseconds of a monotonic clock.
//
// A display whose vertical sync holds each buffer swap until its next
// refresh, and which refreshes about once a step (at 1/60 s, 60 or
// 59.94 Hz) or twice (120 Hz), keeps the time itself: a frame is drawn on
// every refresh and counts as its whole refreshes, so 60 Hz gets exactly one
// step per refresh and 120 Hz one every second refresh, whatever the
// timing's jitter. On any other display, or where nothing holds the swaps
// back (no vertical sync, or a driver that takes the request and ignores
// it), the loop sleeps until the next step is due and the frame advances by
// the whole steps of time since the one before. A frame makes up for no more
// than 2 steps, or 1/30 s where steps are shorter: a stall is not made up
// for. The display is learnt from the frames' times: the first frames follow
// each other at once, and how long they take, without a sleep before them,
// is the refresh where vertical sync holds them, or the drawing's time. A
// drawing that happens to take half a step is told from a 120 Hz refresh by
// starting one frame half a refresh late: only a refresh brings its swap
// back onto the grid.
class StepPacer {
public:
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

    // While energy is saved, frames come at most 30 a second (or a step
    // apart where steps are longer), each the steps of its time on: the storm
    // keeps its pace with fewer frames. The display's refresh is then left
    // alone; a frame makes up for as many more steps as it normally takes.
    void SaveEnergy(bool saving);

    // The storm stands still (nothing shows): the next frame is one step on
    // from the last one, however long it stood.
    void Hold();

    // The steps handed out so far, for a meter of the storm's speed.
    int64_t StepsTaken() const { return stepsTaken_; }

private:
    // The display's refresh where it is about a step, or half of one, as the
    // times of recent frames show it; 0 otherwise.
    int64_t LockedRefresh() const;

    static constexpr int kFrameTimes = 7;

    int64_t period_;
    // The most steps a frame advances, and the steps of the shortest time
    // between frames: 1, or more while energy is saved.
    int64_t mostSteps_;
    int64_t frameSteps_ = 1;
    // How early a step may be counted: the timing's jitter and a sleep that
    // ends a little early.
    int64_t tolerance_;
    int frames_ = 0;
    int64_t stepsTaken_ = 0;
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
    int frameTimeCount_ = 0; // up to kFrameTimes
    int nextFrameTime_ = 0;  // where the next one goes
    // Whether frames of half a step are a refresh's, as a frame started half
    // a refresh late shows; and, while that frame runs, when it could have
    // started.
    enum class Refresh { Unknown, Held, Refused };
    Refresh halfStepRefresh_ = Refresh::Unknown;
    int64_t probeFrom_ = -1;
};
